// A view's picture placed in a word processor document through OLE
// automation ("Word.Application").
#pragma once
#include <windows.h>

// The automation object, declared here so that callers need not take in the
// OLE headers.
struct IDispatch;

// Starts the word processor, opens a new document and inserts the picture
// file. Without a word processor, or when it refuses a step, a box says so
// and where the picture lies.
void export_picture_to_word(HWND owner, const char* bitmap_path);

// The automation steps on a running word processor: make it visible, add a
// document and insert the picture inline. False at the first step that
// fails. Every object it obtains is released again.
bool place_picture_in_new_document(IDispatch* word, const char* bitmap_path);
