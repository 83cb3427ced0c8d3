// The other order for the link record beside the OLE headers: the record's
// header first, code that names the field, then the OLE headers, whose
// "interface" macro must still declare COM interfaces after it. The test
// itself is in link_record_ole_test.cpp.
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

#include <type_traits>

interface IKestrovaOrderProbe : public IDispatch
{
    virtual HRESULT STDMETHODCALLTYPE probe() = 0;
};

static_assert(std::is_abstract<IKestrovaOrderProbe>::value, "declared with the macro");

uint32_t link_interface_after_ole_headers(const link_record& link)
{
    return link_interface(link);
}
