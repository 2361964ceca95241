"""Makes both packages as a release would and looks inside: the .deb (program, menu entry,
icons, dependencies from the linked libraries) and the Windows zip (program, first
settings, Spanish read-me)."""

import glob
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile


def cpack(build_dir, out):
    subprocess.run(["cpack", "-B", out], cwd=build_dir, check=True, capture_output=True, timeout=240)


def main(native_dir, windows_dir):
    failures = []
    with tempfile.TemporaryDirectory() as out:
        cpack(native_dir, out)
        deb = glob.glob(os.path.join(out, "lumeq-gamma_*.deb"))[0]
        contents = subprocess.run(["dpkg-deb", "-c", deb], capture_output=True, text=True, check=True).stdout
        for path in ["./usr/bin/lumeq-gamma", "./usr/share/applications/lumeq-gamma.desktop",
                     "./usr/share/icons/hicolor/48x48/apps/lumeq-gamma.png",
                     "./usr/share/icons/hicolor/256x256/apps/lumeq-gamma.png",
                     "./usr/share/icons/hicolor/scalable/apps/lumeq-gamma.svg",
                     "./usr/share/metainfo/lumeq-gamma.metainfo.xml", "./usr/share/doc/lumeq-gamma/copyright"]:
            if path not in contents:
                failures.append(f".deb lacks {path}")
        if "xdg-user-dirs" not in subprocess.run(["dpkg-deb", "-f", deb, "Recommends"], capture_output=True,
                                                 text=True).stdout:
            failures.append(".deb does not recommend xdg-user-dirs")
        with tempfile.TemporaryDirectory() as unpacked:
            subprocess.run(["dpkg-deb", "-x", deb, unpacked], check=True)
            desktop = open(os.path.join(unpacked, "usr/share/applications/lumeq-gamma.desktop")).read()
            if "Exec=env QT_QPA_PLATFORM=xcb lumeq-gamma" not in desktop:
                failures.append("the menu entry does not start the program on X11")
            if shutil.which("appstreamcli"):
                checked = subprocess.run(["appstreamcli", "validate", "--no-net",
                                          os.path.join(unpacked, "usr/share/metainfo/lumeq-gamma.metainfo.xml")],
                                         capture_output=True, text=True)
                if checked.returncode != 0:
                    failures.append("the AppStream metainfo does not validate: " + checked.stdout.strip())
        depends = subprocess.run(["dpkg-deb", "-f", deb, "Depends"], capture_output=True, text=True).stdout
        for library in ["libqt6widgets6", "libxrandr2", "libxcb1"]:
            if library not in depends:
                failures.append(f".deb does not depend on {library}: {depends.strip()}")
        if "lumeq-gamma-test" in contents:
            failures.append("the test build is in the .deb")
    if os.path.isdir(windows_dir):
        with tempfile.TemporaryDirectory() as out:
            cpack(windows_dir, out)
            with zipfile.ZipFile(glob.glob(os.path.join(out, "*.zip"))[0]) as archive:
                names = {os.path.basename(n) for n in archive.namelist()}
                readme = next(n for n in archive.namelist() if n.endswith("LEEME.txt"))
                text = archive.read(readme).decode("cp1252")
            if names != {"lumeq.exe", "lumeq.ini", "LEEME.txt"}:
                failures.append(f"zip holds {sorted(names)}")
            if "Ctrl+F1" not in text or "Aclara la pantalla" not in text:
                failures.append("the read-me does not tell the keys")
    for failure in failures:
        print("FAIL:", failure)
    print("packages ok" if not failures else f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
