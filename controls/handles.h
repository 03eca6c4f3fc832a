// Owners for the system handles the program opens: each closes its handle
// when it goes out of scope, so a handle never outlives the call or object
// that opened it.
#pragma once

#include <windows.h>

#include <utility>

namespace controls {

// One owner template; a traits type says what "empty" is and how to close.
template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : h_(h) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return h_; }
    explicit operator bool() const { return h_ != Traits::Empty(); }

    // For out-parameters: closes what is held, then lends the slot.
    Handle* put() {
        reset();
        return &h_;
    }

    Handle release() { return std::exchange(h_, Traits::Empty()); }

    void reset(Handle h = Traits::Empty()) {
        Handle old = std::exchange(h_, h);
        if (old != Traits::Empty()) Traits::Close(old);
    }

private:
    Handle h_ = Traits::Empty();
};

struct KeyTraits {
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { RegCloseKey(h); }
};

struct FindTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};

// Kernel handles that are null when empty (processes, threads).
struct KernelTraits {
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};

// CreateFile reports failure as INVALID_HANDLE_VALUE, not null.
struct FileTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};

template <typename T>
struct GdiTraits {
    using Handle = T;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DeleteDC(h); }
};

struct IconTraits {
    using Handle = HICON;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};

using UniqueKey = UniqueHandle<KeyTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniqueKernelHandle = UniqueHandle<KernelTraits>;
using UniqueFile = UniqueHandle<FileTraits>;
using UniqueFont = UniqueHandle<GdiTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiTraits<HBITMAP>>;
using UniqueBrush = UniqueHandle<GdiTraits<HBRUSH>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;

// Puts a GDI object into a device context for a scope and restores the
// previous one afterwards.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A window's device context borrowed with GetDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// Saves a device context's state (origin, clipping) for a scope.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
    ~SavedDcState() {
        if (id_) RestoreDC(dc_, id_);
    }
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;

private:
    HDC dc_;
    int id_;
};

}  // namespace controls
