// CIcon: owns one icon handle and destroys it with itself. The main window
// loads the icons of its small image list through it.
#pragma once
#include <windows.h>

class CIcon {
public:
    CIcon() = default;
    // Takes ownership of icon.
    explicit CIcon(HICON icon) : icon_(icon) {}
    // Loads the icon resource at 16 x 16; empty when it cannot be loaded.
    CIcon(HINSTANCE instance, int resource_id);
    // Holds a duplicate of the other's icon.
    CIcon(const CIcon& other);
    // Unless assigning to itself: destroy, then copy_from.
    CIcon& operator=(const CIcon& other);

    virtual ~CIcon();
    // Destroys the held icon, then holds this one. Always true.
    virtual bool attach(HICON icon);
    // Returns the held icon and forgets it without destroying it.
    virtual HICON detach();
    virtual HICON handle() const;
    // Destroys the held icon and forgets it: the result of the destroy call,
    // 0 when nothing was held.
    virtual BOOL destroy();
    // Forgets the held icon (without destroying it) and holds a duplicate of
    // the other's icon, if it has one.
    virtual void copy_from(const CIcon& other);

private:
    HICON icon_ = nullptr;
};
