// Export of a view's picture to a word processor document, a refused step,
// and the message when no word processor is available.
#include "views/word_export.h"

#include "tests/support/msgbox_recorder.h"

#include <ole2.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string narrow(const wchar_t* text)
{
    std::string out;
    for (; text && *text; ++text)
        out += static_cast<char>(*text);
    return out;
}

std::string describe(const VARIANT& value)
{
    if (value.vt == VT_BOOL)
        return value.boolVal == VARIANT_TRUE ? "true" : "false";
    if (value.vt == VT_BSTR)
        return "\"" + narrow(value.bstrVal) + "\"";
    return "vt" + std::to_string(value.vt);
}

std::string describe_flags(WORD flags)
{
    const char* names[] = {"flags0", "call", "get", "flags3", "put"};
    return flags < 5 ? names[flags] : "flags" + std::to_string(flags);
}

// An automation object that records every call made on it, as
// "Object.Member how(arguments)", and answers the members named in `objects`
// with a new recording object of the given name. The member named in
// `failing` fails.
struct recording_world {
    std::vector<std::string> calls;
    std::map<std::string, std::string> objects; // "Object.Member" -> name of the answer
    std::string failing;                         // "Object.Member"
    int live = 0;
};

class recording_dispatch : public IDispatch {
public:
    recording_dispatch(recording_world& world, std::string name) : world_(world), name_(std::move(name))
    {
        ++world_.live;
    }
    virtual ~recording_dispatch() { --world_.live; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG left = --refs_;
        if (left == 0)
            delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        for (UINT i = 0; i < count; ++i) {
            members_.push_back(narrow(names[i]));
            ids[i] = static_cast<DISPID>(members_.size());
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override
    {
        if (id < 1 || static_cast<size_t>(id) > members_.size())
            return DISP_E_MEMBERNOTFOUND;
        const std::string member = name_ + "." + members_[id - 1];
        std::string call = member + " " + describe_flags(flags) + "(";
        for (UINT i = 0; i < params->cArgs; ++i)
            call += (i ? ", " : "") + describe(params->rgvarg[i]);
        call += ")";
        if (params->cNamedArgs == 1 && params->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT)
            call += " named put";
        world_.calls.push_back(call);
        if (member == world_.failing)
            return DISP_E_EXCEPTION;
        const auto answer = world_.objects.find(member);
        if (answer != world_.objects.end() && result) {
            result->vt = VT_DISPATCH;
            result->pdispVal = new recording_dispatch(world_, answer->second);
        }
        return S_OK;
    }

private:
    recording_world& world_;
    std::string name_;
    std::vector<std::string> members_;
    ULONG refs_ = 1;
};

recording_world word_world()
{
    recording_world world;
    world.objects = {{"Application.Documents", "Documents"},
                     {"Documents.Add", "Document"},
                     {"Document.InlineShapes", "InlineShapes"},
                     {"InlineShapes.AddPicture", "InlineShape"}};
    return world;
}

const std::vector<std::string> kAllCalls = {
    "Application.Visible put(true) named put",
    "Application.Documents get()",
    "Documents.Add call()",
    "Document.InlineShapes get()",
    "InlineShapes.AddPicture call(\"C:\\temp\\screencap.bmp\")",
};

} // namespace

TEST(WordExport, PlacesThePictureInANewDocument)
{
    recording_world world = word_world();
    auto* word = new recording_dispatch(world, "Application");
    EXPECT_TRUE(place_picture_in_new_document(word, "C:\\temp\\screencap.bmp"));
    EXPECT_EQ(world.calls, kAllCalls);
    // Everything it obtained is released; only the caller's object is left.
    EXPECT_EQ(world.live, 1);
    word->Release();
    EXPECT_EQ(world.live, 0);
}

TEST(WordExport, StopsAtTheFirstRefusedStep)
{
    for (size_t failing = 0; failing < kAllCalls.size(); ++failing) {
        recording_world world = word_world();
        world.failing = kAllCalls[failing].substr(0, kAllCalls[failing].find(' '));
        SCOPED_TRACE(world.failing);
        auto* word = new recording_dispatch(world, "Application");
        EXPECT_FALSE(place_picture_in_new_document(word, "C:\\temp\\screencap.bmp"));
        EXPECT_EQ(world.calls, std::vector<std::string>(kAllCalls.begin(), kAllCalls.begin() + failing + 1));
        EXPECT_EQ(world.live, 1);
        word->Release();
    }
}

TEST(WordExport, NoWordProcessorSaysWhereThePictureIs)
{
    msgbox::reset();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)));
    export_picture_to_word(nullptr, "C:\\temp\\screencap.bmp");
    CoUninitialize();
    const auto boxes = msgbox::shown();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "No word processor is available to take the picture.\n\n"
                             "The picture is saved as C:\\temp\\screencap.bmp");
    EXPECT_EQ(boxes[0].caption, "Kestrova");
}
