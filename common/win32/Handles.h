#pragma once
// Owners for Win32 handles, so every handle is released on every path.
#include <windows.h>

#include <utility>

namespace velmora {

template <typename Handle, typename Traits>
class UniqueHandle {
 public:
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : handle_(h) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Traits::Invalid())) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Traits::Invalid()));
    return *this;
  }
  ~UniqueHandle() { reset(); }
  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Traits::Invalid(); }
  void reset(Handle h = Traits::Invalid()) {
    if (handle_ != Traits::Invalid()) Traits::Close(handle_);
    handle_ = h;
  }
  Handle release() { return std::exchange(handle_, Traits::Invalid()); }

 private:
  Handle handle_ = Traits::Invalid();
};

struct KernelHandleTraits {
  static HANDLE Invalid() { return nullptr; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
struct GdiObjectTraits {
  static HGDIOBJ Invalid() { return nullptr; }
  static void Close(HGDIOBJ h) { DeleteObject(h); }
};
struct MemoryDcTraits {
  static HDC Invalid() { return nullptr; }
  static void Close(HDC h) { DeleteDC(h); }
};
struct MenuTraits {
  static HMENU Invalid() { return nullptr; }
  static void Close(HMENU h) { DestroyMenu(h); }
};

using KernelHandle = UniqueHandle<HANDLE, KernelHandleTraits>;
using GdiObject = UniqueHandle<HGDIOBJ, GdiObjectTraits>;
using MemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using MenuHandle = UniqueHandle<HMENU, MenuTraits>;

}  // namespace velmora
