#include "window/win32/win32_accessible_children.h"

#include <new>
#include <vector>

namespace pm {

namespace {

class ChildWindows final : public IEnumVARIANT {
  public:
    ChildWindows(HWND parent, IUnknown* owner, ObjectFromWindowFn object_from_window)
        : owner_(owner), object_from_window_(object_from_window) {
        owner_->AddRef();
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (IsWindowVisible(child)) children_.push_back(child);
        }
    }
    ChildWindows(const ChildWindows& other)
        : owner_(other.owner_),
          object_from_window_(other.object_from_window_),
          children_(other.children_),
          at_(other.at_) {
        owner_->AddRef();
    }
    ChildWindows& operator=(const ChildWindows&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (iid != __uuidof(IEnumVARIANT)) return owner_->QueryInterface(iid, object);
        *object = static_cast<IEnumVARIANT*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
        if (!out) return E_POINTER;
        ULONG n = 0;
        for (; n < count && at_ < children_.size(); ++at_) {
            IDispatch* child = nullptr;
            if (FAILED(object_from_window_(children_[at_], static_cast<DWORD>(OBJID_CLIENT),
                                           __uuidof(IDispatch), reinterpret_cast<void**>(&child))) ||
                !child) {
                continue;  // gone meanwhile
            }
            out[n].vt = VT_DISPATCH;
            out[n].pdispVal = child;
            ++n;
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
        const std::size_t left = children_.size() - at_;
        at_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() override {
        at_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override {
        if (!copy) return E_POINTER;
        *copy = new (std::nothrow) ChildWindows(*this);
        return *copy ? S_OK : E_OUTOFMEMORY;
    }

  private:
    ~ChildWindows() { owner_->Release(); }

    IUnknown* owner_;  // one reference
    ObjectFromWindowFn object_from_window_;
    std::vector<HWND> children_;
    std::size_t at_ = 0;
    LONG references_ = 1;
};

}  // namespace

IEnumVARIANT* new_child_windows(HWND parent, IUnknown* owner, ObjectFromWindowFn object_from_window) {
    return new (std::nothrow) ChildWindows(parent, owner, object_from_window);
}

}  // namespace pm
