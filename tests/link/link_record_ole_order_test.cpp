// The other order: the link record's header first, code that names the
// field, then the OLE headers, whose macro must still be in force after it.
#include "link/link_record.h"

uint32_t link_interface_by_field_name(const link_record& link)
{
    return link.interface;
}

void set_link_interface_by_field_name(link_record& link, uint32_t value)
{
    link.interface = value;
}

#include <ole2.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <memory>
#include <type_traits>

namespace {

interface IKestrovaOrderProbe : public IDispatch
{
    virtual HRESULT STDMETHODCALLTYPE probe() = 0;
};

TEST(LinkRecordOle, AccessorsAfterTheOleHeaders)
{
    static_assert(std::is_abstract<IKestrovaOrderProbe>::value, "declared with the macro");
    auto link = std::make_unique<link_record>();
    set_link_interface(*link, LINK_USB);
    EXPECT_EQ(LINK_USB, link_interface_by_field_name(*link));
    set_link_interface_by_field_name(*link, 0);
    EXPECT_EQ(0u, link_interface(*link));

    BSTR text = SysAllocString(L"Kestrova");
    ASSERT_NE(nullptr, text);
    EXPECT_EQ(8u, SysStringLen(text));
    SysFreeString(text);
}

} // namespace
