// How the instrument link and the configuration model tell the user about a
// failure or ask a question: a text, a caption and the buttons and icon of a
// message box (MB_* flags). They show no windows themselves; the frame
// installs a reporter that shows the texts on its main window. Until one is
// installed the texts go through the message-box seam without an owner.
#pragma once

class user_reporter {
public:
    virtual ~user_reporter() = default;
    // Shows the text and returns the user's answer (IDOK, IDYES, IDNO, ...).
    virtual int report(const char* text, const char* caption, unsigned type) = 0;
};

// Reports through the installed reporter and returns its answer.
int report_to_user(const char* text, const char* caption, unsigned type);

// Installs a reporter (nullptr: back to the message-box seam) and returns the
// one installed before. The reporter must outlive its installation.
user_reporter* set_user_reporter(user_reporter* reporter);
