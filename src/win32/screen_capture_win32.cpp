#include "win32/screen_capture_win32.h"

#include <ocidl.h>
#include <wincodec.h>

#include "win32/com_ptr_win32.h"
#include "win32/unique_handle_win32.h"

namespace lumeq {

namespace {
constexpr float kJpegQuality = 0.9f;

// The bitmap's pixels as 24-bit BGR rows from the top, each padded to four bytes.
bool TopDownPixels(HDC dc, HBITMAP bitmap, int width, int height, std::vector<BYTE>& pixels, UINT& stride) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    stride = ((static_cast<UINT>(width) * 3 + 3) / 4) * 4;
    pixels.resize(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    return GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&header),
                     DIB_RGB_COLORS) == height;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodeJpeg(const std::vector<std::uint8_t>& pixels, unsigned stride,
                                                    int width, int height) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(factory.Put()))) ||
        FAILED(CreateStreamOnHGlobal(nullptr, TRUE, stream.Put())) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatJpeg, nullptr, encoder.Put())) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(frame.Put(), options.Put())))
        return std::nullopt;

    PROPBAG2 quality{};
    quality.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
    VARIANT value{};  // VT_EMPTY, as VariantInit makes it, without loading oleaut32 for that
    value.vt = VT_R4;
    value.fltVal = kJpegQuality;
    // An encoder that ignores the option still writes a JPEG, of its own quality.
    if (options) options->Write(1, &quality, &value);

    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->Initialize(options.Get())) ||
        FAILED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) ||
        FAILED(frame->SetPixelFormat(&format)) || format != GUID_WICPixelFormat24bppBGR ||
        FAILED(frame->WritePixels(static_cast<UINT>(height), stride, static_cast<UINT>(pixels.size()),
                                  const_cast<BYTE*>(pixels.data()))) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit()))
        return std::nullopt;

    STATSTG info{};
    HGLOBAL memory = nullptr;
    if (FAILED(stream->Stat(&info, STATFLAG_NONAME)) || FAILED(GetHGlobalFromStream(stream.Get(), &memory)))
        return std::nullopt;
    const auto size = static_cast<std::size_t>(info.cbSize.QuadPart);
    const auto* bytes = static_cast<const std::uint8_t*>(GlobalLock(memory));
    if (!bytes) return std::nullopt;
    std::vector<std::uint8_t> jpeg(bytes, bytes + size);
    GlobalUnlock(memory);
    if (jpeg.size() < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) return std::nullopt;
    return jpeg;
}

bool CaptureScreenPixels(std::vector<std::uint8_t>& pixels, unsigned& stride, int& width, int& height) {
    width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    WindowDC screen(nullptr);
    if (!screen || width <= 0 || height <= 0) return false;
    UniqueMemoryDC memory(CreateCompatibleDC(screen.Get()));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!memory || !bitmap) return false;
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), GetSystemMetrics(SM_XVIRTUALSCREEN),
                    GetSystemMetrics(SM_YVIRTUALSCREEN), SRCCOPY | CAPTUREBLT))
            return false;
    }
    return TopDownPixels(memory.Get(), bitmap.Get(), width, height, pixels, stride);
}

std::optional<std::vector<std::uint8_t>> CaptureScreenAsJpeg(UniqueBitmap& screenBitmap) {
    const int left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    const int height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    WindowDC screen(nullptr);
    if (!screen || width <= 0 || height <= 0) return std::nullopt;
    UniqueMemoryDC memory(CreateCompatibleDC(screen.Get()));
    screenBitmap.Reset(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!memory || !screenBitmap) return std::nullopt;
    bool copied = false;
    {
        SelectedObject selected(memory.Get(), screenBitmap.Get());
        copied = BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), left, top, SRCCOPY | CAPTUREBLT) != FALSE;
    }
    if (!copied) return std::nullopt;
    std::vector<BYTE> pixels;
    UINT stride = 0;
    if (!TopDownPixels(memory.Get(), screenBitmap.Get(), width, height, pixels, stride)) return std::nullopt;
    return EncodeJpeg(pixels, stride, width, height);
}

void ClipboardShot::Offer(HWND owner, UniqueBitmap bitmap) {
    ClipboardLock clipboard(owner);
    if (!clipboard || !EmptyClipboard()) return;
    m_pending = std::move(bitmap);
    // Rendered on request (WM_RENDERFORMAT): nothing is copied until a program pastes.
    SetClipboardData(CF_BITMAP, nullptr);
}

void ClipboardShot::Render() {
    // Once on the clipboard the bitmap belongs to the system.
    if (m_pending && SetClipboardData(CF_BITMAP, m_pending.Get())) m_pending.Release();
}

void ClipboardShot::RenderAll(HWND owner) {
    if (!m_pending || GetClipboardOwner() != owner) return;
    ClipboardLock clipboard(owner);
    if (clipboard) Render();
}

CreateResult WriteNewFile(const std::wstring& path, const std::vector<std::uint8_t>& bytes) {
    UniqueFile out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return CreateResult::Exists;
        // A folder of that name: not ours to replace either.
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) return CreateResult::Exists;
        return CreateResult::Failed;
    }
    DWORD written = 0;
    const bool ok = WriteFile(out.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    out.Reset();
    if (!ok) {
        DeleteFileW(path.c_str());  // never leave half a picture behind
        return CreateResult::Failed;
    }
    return CreateResult::Created;
}

}  // namespace lumeq
