// The icon holder.
#include "frame/icon_holder.h"

CIcon::CIcon(HINSTANCE instance, int resource_id)
    : icon_(static_cast<HICON>(
          LoadImageA(instance, MAKEINTRESOURCEA(resource_id), IMAGE_ICON, 16, 16, 0)))
{
}

CIcon::CIcon(const CIcon& other)
{
    copy_from(other);
}

CIcon& CIcon::operator=(const CIcon& other)
{
    if (this != &other) {
        destroy();
        copy_from(other);
    }
    return *this;
}

CIcon::~CIcon()
{
    destroy();
}

bool CIcon::attach(HICON icon)
{
    destroy();
    icon_ = icon;
    return true;
}

HICON CIcon::detach()
{
    HICON icon = icon_;
    icon_ = nullptr;
    return icon;
}

HICON CIcon::handle() const
{
    return icon_;
}

BOOL CIcon::destroy()
{
    const BOOL result = icon_ ? DestroyIcon(icon_) : FALSE;
    icon_ = nullptr;
    return result;
}

void CIcon::copy_from(const CIcon& other)
{
    icon_ = other.icon_ ? CopyIcon(other.icon_) : nullptr;
}
