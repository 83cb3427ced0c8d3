// Kept free of the link headers: their record has a field that the OLE
// headers' `interface` macro would rename.
#include "views/word_export.h"

#include "base/message_box.h"
#include "frame/version.h"

#include <ole2.h>
#include <oleauto.h>

#include <string>

namespace {

constexpr const char* kNoWordProcessor = "No word processor is available to take the picture.\n\n"
                                         "The picture is saved as %s";
constexpr const char* kNotPlaced = "The picture could not be placed in a word processor document.\n\n"
                                   "The picture is saved as %s";

// An automation object released when it goes out of scope.
class dispatch_ref {
public:
    explicit dispatch_ref(IDispatch* object = nullptr) : object_(object) {}
    ~dispatch_ref()
    {
        if (object_)
            object_->Release();
    }
    dispatch_ref(const dispatch_ref&) = delete;
    dispatch_ref& operator=(const dispatch_ref&) = delete;
    IDispatch* get() const { return object_; }
    IDispatch** out() { return &object_; }

private:
    IDispatch* object_;
};

// Calls a member by name. A property put passes its value as the named
// argument DISPID_PROPERTYPUT, as automation servers expect.
HRESULT invoke(IDispatch* object, WORD flags, const wchar_t* name, VARIANT* result, VARIANT* args, UINT count)
{
    DISPID member = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
    if (FAILED(hr))
        return hr;
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params = {args, nullptr, count, 0};
    if (flags & DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &put;
        params.cNamedArgs = 1;
    }
    return object->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

// Calls a member that answers an object; false unless it does.
bool invoke_for_object(IDispatch* object, WORD flags, const wchar_t* name, dispatch_ref& out,
                       VARIANT* args = nullptr, UINT count = 0)
{
    VARIANT result;
    VariantInit(&result);
    if (FAILED(invoke(object, flags, name, &result, args, count)))
        return false;
    if (result.vt == VT_DISPATCH && result.pdispVal) {
        *out.out() = result.pdispVal; // the reference passes to out
        return true;
    }
    VariantClear(&result);
    return false;
}

std::wstring wide_path(const char* path)
{
    const int size = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    std::wstring wide(size > 0 ? size : 1, L'\0');
    MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], size);
    wide.resize(wide.size() - 1);
    return wide;
}

void tell_user(HWND owner, const char* format, const char* path, UINT icon)
{
    std::string text(format);
    text.replace(text.find("%s"), 2, path);
    show_message_box(owner, text.c_str(), kProductName, MB_OK | icon);
}

} // namespace

bool place_picture_in_new_document(IDispatch* word, const char* bitmap_path)
{
    VARIANT visible;
    VariantInit(&visible);
    visible.vt = VT_BOOL;
    visible.boolVal = VARIANT_TRUE;
    if (FAILED(invoke(word, DISPATCH_PROPERTYPUT, L"Visible", nullptr, &visible, 1)))
        return false;
    dispatch_ref documents, document, shapes;
    if (!invoke_for_object(word, DISPATCH_PROPERTYGET, L"Documents", documents) ||
        !invoke_for_object(documents.get(), DISPATCH_METHOD, L"Add", document) ||
        !invoke_for_object(document.get(), DISPATCH_PROPERTYGET, L"InlineShapes", shapes))
        return false;
    VARIANT file;
    VariantInit(&file);
    file.vt = VT_BSTR;
    file.bstrVal = SysAllocString(wide_path(bitmap_path).c_str());
    VARIANT result;
    VariantInit(&result);
    const HRESULT hr = invoke(shapes.get(), DISPATCH_METHOD, L"AddPicture", &result, &file, 1);
    VariantClear(&result);
    VariantClear(&file);
    return SUCCEEDED(hr);
}

void export_picture_to_word(HWND owner, const char* bitmap_path)
{
    CLSID word_class;
    dispatch_ref word;
    if (FAILED(CLSIDFromProgID(L"Word.Application", &word_class)) ||
        FAILED(CoCreateInstance(word_class, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(word.out())))) {
        tell_user(owner, kNoWordProcessor, bitmap_path, MB_ICONINFORMATION);
        return;
    }
    if (!place_picture_in_new_document(word.get(), bitmap_path))
        tell_user(owner, kNotPlaced, bitmap_path, MB_ICONWARNING);
}
