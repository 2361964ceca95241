#pragma once
// A move-only owner of one COM interface pointer, and the apartment of the thread.
#include <objbase.h>

#include <utility>

namespace lumeq {

template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(ComPtr&& other) noexcept : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.m_ptr, nullptr));
        return *this;
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { Reset(); }

    Interface* Get() const { return m_ptr; }
    Interface* operator->() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }
    Interface** Put() {
        Reset();
        return &m_ptr;
    }
    void Reset(Interface* ptr = nullptr) {
        if (m_ptr) m_ptr->Release();
        m_ptr = ptr;
    }

private:
    Interface* m_ptr = nullptr;
};

// COM for the user-interface thread, for as long as the object lives.
class ComApartment {
public:
    // Single-threaded, without OLE 1 DDE, as the shell asks of ShellExecute's callers.
    ComApartment()
        : m_initialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (m_initialised) CoUninitialize();
    }

private:
    bool m_initialised;
};

}  // namespace lumeq
