#include "controls/accessible_object_win32.h"

#include "win32/system_function_win32.h"

namespace {

ReaderLibraries libraries = {};
bool looked = false;

}  // namespace

const ReaderLibraries* LoadReaderLibraries() {
    if (!looked) {
        looked = true;
        // The apartment the reader's calls come into: this thread, through
        // its message loop. Objects given to a reader are marshalled there.
        HMODULE ole = LoadLibraryA("ole32.dll");
        const auto initialise = SystemFunction<HRESULT(WINAPI*)(LPVOID)>(ole, "CoInitialize");
        HMODULE oleacc = LoadLibraryA("oleacc.dll");
        HMODULE oleaut = LoadLibraryA("oleaut32.dll");
        libraries.resultFromObject =
            SystemFunction<LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN)>(oleacc, "LresultFromObject");
        libraries.standardObject =
            SystemFunction<HRESULT(WINAPI*)(HWND, LONG, REFIID, void**)>(oleacc, "CreateStdAccessibleObject");
        libraries.objectFromWindow =
            SystemFunction<HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**)>(oleacc, "AccessibleObjectFromWindow");
        libraries.allocateText = SystemFunction<BSTR(WINAPI*)(const OLECHAR*, UINT)>(oleaut, "SysAllocStringLen");
        const bool complete = initialise != nullptr && libraries.resultFromObject != nullptr &&
                              libraries.standardObject != nullptr && libraries.objectFromWindow != nullptr &&
                              libraries.allocateText != nullptr;
        if (!complete || FAILED(initialise(nullptr))) libraries = ReaderLibraries();
    }
    return libraries.resultFromObject != nullptr ? &libraries : nullptr;
}

BSTR ReaderText(const char* text) {
    const ReaderLibraries* system = LoadReaderLibraries();
    if (system == nullptr || text == nullptr) return nullptr;
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0) return nullptr;
    BSTR answer = system->allocateText(nullptr, static_cast<UINT>(length - 1));
    if (answer != nullptr) MultiByteToWideChar(CP_ACP, 0, text, -1, answer, length);
    return answer;
}

// ---- IUnknown and IDispatch -------------------------------------------------

HRESULT AccessibleObject::QueryInterface(REFIID id, void** object) {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDispatch) || IsEqualIID(id, IID_IAccessible)) {
        *object = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleObject::AddRef() { return static_cast<ULONG>(++references_); }

ULONG AccessibleObject::Release() {
    const LONG left = --references_;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT AccessibleObject::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT AccessibleObject::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT AccessibleObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT AccessibleObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    return E_NOTIMPL;
}

// ---- What an object without more to say answers -----------------------------

HRESULT AccessibleObject::get_accChildCount(LONG* count) {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT AccessibleObject::get_accChild(VARIANT, IDispatch** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    return E_INVALIDARG;
}

HRESULT AccessibleObject::get_accValue(VARIANT child, BSTR* value) { return AnswerText(child, nullptr, value); }
HRESULT AccessibleObject::get_accDescription(VARIANT child, BSTR* text) { return AnswerText(child, nullptr, text); }
HRESULT AccessibleObject::get_accHelp(VARIANT child, BSTR* help) { return AnswerText(child, nullptr, help); }

HRESULT AccessibleObject::get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) {
    if (file != nullptr) *file = nullptr;
    if (topic != nullptr) *topic = 0;
    return S_FALSE;
}

HRESULT AccessibleObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return AnswerText(child, nullptr, shortcut);
}

HRESULT AccessibleObject::get_accFocus(VARIANT* focus) {
    if (focus == nullptr) return E_POINTER;
    focus->vt = VT_EMPTY;
    return S_FALSE;
}

HRESULT AccessibleObject::get_accSelection(VARIANT* selection) {
    if (selection == nullptr) return E_POINTER;
    selection->vt = VT_EMPTY;
    return S_FALSE;
}

HRESULT AccessibleObject::get_accDefaultAction(VARIANT child, BSTR* action) {
    return AnswerText(child, nullptr, action);
}

HRESULT AccessibleObject::accSelect(LONG, VARIANT) { return DISP_E_MEMBERNOTFOUND; }

HRESULT AccessibleObject::accHitTest(LONG, LONG, VARIANT* child) {
    if (child == nullptr) return E_POINTER;
    child->vt = VT_EMPTY;
    return S_FALSE;
}

HRESULT AccessibleObject::accNavigate(LONG, VARIANT, VARIANT* end) {
    if (end == nullptr) return E_POINTER;
    end->vt = VT_EMPTY;
    return S_FALSE;
}

HRESULT AccessibleObject::accDoDefaultAction(VARIANT) { return DISP_E_MEMBERNOTFOUND; }
HRESULT AccessibleObject::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT AccessibleObject::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }

// ---- Helpers ----------------------------------------------------------------

HRESULT AccessibleObject::AnswerText(const VARIANT& child, const char* text, BSTR* answer) {
    if (answer == nullptr) return E_POINTER;
    *answer = nullptr;
    if (!IsSelf(child)) return E_INVALIDARG;
    if (text == nullptr || text[0] == '\0') return S_FALSE;
    *answer = ReaderText(text);
    return *answer != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT AccessibleObject::AnswerNumber(const VARIANT& child, LONG number, VARIANT* answer) {
    if (answer == nullptr) return E_POINTER;
    answer->vt = VT_EMPTY;
    if (!IsSelf(child)) return E_INVALIDARG;
    answer->vt = VT_I4;
    answer->lVal = number;
    return S_OK;
}

HRESULT AccessibleObject::AnswerPlace(const VARIANT& child, const RECT& area, LONG* x, LONG* y, LONG* width,
                                      LONG* height) {
    if (x == nullptr || y == nullptr || width == nullptr || height == nullptr) return E_POINTER;
    if (!IsSelf(child)) return E_INVALIDARG;
    *x = area.left;
    *y = area.top;
    *width = area.right - area.left;
    *height = area.bottom - area.top;
    return S_OK;
}
