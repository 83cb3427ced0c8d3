// The link record beside the OLE headers, which define "interface" as a
// macro: here they come first, so the record's header must set the macro
// aside and give it back. The field is reached through its accessors, and
// the macro still declares COM interfaces afterwards.
#include <ole2.h>
#include <oleauto.h>

#include "link/link_record.h"

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

#ifndef interface
#error "the OLE headers' interface macro must survive the link record's header"
#endif

// Defined in the other file, which includes the headers the other way round:
// before the OLE headers it names the field itself, after them it uses the
// accessor.
uint32_t link_interface_by_field_name(const link_record& link);
void set_link_interface_by_field_name(link_record& link, uint32_t value);
uint32_t link_interface_after_ole_headers(const link_record& link);

namespace {

interface IKestrovaProbe : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE probe() = 0;
};

TEST(LinkRecordOle, FieldReadAndWrittenWithTheMacroDefined)
{
    static_assert(std::is_abstract<IKestrovaProbe>::value, "declared with the macro");
    auto link = std::make_unique<link_record>();
    set_link_interface(*link, LINK_LAN);
    EXPECT_EQ(LINK_LAN, link_interface(*link));
    EXPECT_EQ(LINK_LAN, link_interface_by_field_name(*link));
    set_link_interface_by_field_name(*link, LINK_SERIAL);
    EXPECT_EQ(LINK_SERIAL, link_interface(*link));
    EXPECT_EQ(LINK_SERIAL, link_interface_after_ole_headers(*link));

    // The OLE side works in the same file.
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = static_cast<LONG>(link_interface(*link));
    EXPECT_EQ(3, v.lVal);
    EXPECT_EQ(S_OK, VariantClear(&v));
    BSTR text = SysAllocString(L"Kestrova");
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(8u, SysStringLen(text));
    SysFreeString(text);
}

} // namespace
