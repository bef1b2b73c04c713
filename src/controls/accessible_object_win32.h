// What a screen reader talks to: an IAccessible that answers for one object
// of its own (CHILDID_SELF) and for children that are objects of their own.
// The base answers everything an object without more to say answers; the
// control's object and the panel's groups say the rest.
//
// The system's side (oleacc for the object's way to the reader, oleaut32
// for the texts, ole32 for the thread's apartment) is looked up when the
// first reader asks (ReaderLibraries), never imported: Windows 95 has none
// of it, and a desk no reader asks loads none of it.
#pragma once

#include <windows.h>
#include <oleacc.h>

// The functions of the system's accessibility libraries, loaded once, when
// a reader first asks, and kept until the program ends (objects a reader
// holds may be called at any time until then).
struct ReaderLibraries {
    LRESULT(WINAPI* resultFromObject)(REFIID, WPARAM, LPUNKNOWN);
    HRESULT(WINAPI* standardObject)(HWND, LONG, REFIID, void**);
    HRESULT(WINAPI* objectFromWindow)(HWND, DWORD, REFIID, void**);
    BSTR(WINAPI* allocateText)(const OLECHAR*, UINT);
};
// The loaded functions, or null when this Windows has no accessibility
// (then WM_GETOBJECT goes to DefWindowProc).
const ReaderLibraries* LoadReaderLibraries();

// The reader's text of `text` (ANSI), or null when it cannot be made.
BSTR ReaderText(const char* text);

// Whether `child` names the object itself.
inline bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

class AccessibleObject : public IAccessible {
public:
    AccessibleObject() = default;
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    // IUnknown: IAccessible and IDispatch, one apartment's object (no locks:
    // the reader's calls reach the desk's one thread through its loop).
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: readers call IAccessible itself; nothing is offered by name.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;

    // IAccessible. The base's object has no children, no value, no
    // description, no action, no shortcut and no help; it cannot be named
    // or set by the reader.
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

protected:
    virtual ~AccessibleObject() = default;

    // Helpers for the answers of a derived object.
    static HRESULT AnswerText(const VARIANT& child, const char* text, BSTR* answer);
    static HRESULT AnswerNumber(const VARIANT& child, LONG number, VARIANT* answer);
    // The screen rectangle `area` as accLocation answers it.
    static HRESULT AnswerPlace(const VARIANT& child, const RECT& area, LONG* x, LONG* y, LONG* width, LONG* height);

private:
    LONG references_ = 1;
};
