// The "Saved Config" popup of the main window's "&Configure" menu and its
// Load, Save and Delete commands for the ten saved configuration slots.
#pragma once
#include <windows.h>

// Menu command ids: one per slot n = 0..9 for Load, Save and Delete.
enum : UINT {
    CMD_LOAD_SAVED_CONFIG = 33200,   // + n
    CMD_SAVE_SAVED_CONFIG = 33300,   // + n
    CMD_DELETE_SAVED_CONFIG = 33400, // + n
    CMD_EXPORT_CONFIG = 120,
    CMD_EXPORT_CONFIG_TEXT = 193,
    CMD_IMPORT_CONFIG = 121,
};

// Where "Saved Config" stands in the "&Configure" popup.
constexpr int kSavedConfigMenuPosition = 1;

// Points the slot files at the per-user data folder (get_app_data_folder)
// and converts the saved-configuration files of earlier versions found
// there into slots ("config.dat" only with rebuild, then "config2.dat";
// nothing is converted until the program installs its upgrade prompt); with
// rebuild, builds the "Saved Config" popup of the window's menu again from
// the slot files; then enables or greys it and redraws the menu bar.
// Nothing is done to a menu whose "&Configure" popup or its entry at
// position 1 is missing.
void rebuild_saved_config_menu(HWND window, bool rebuild, bool enable);

// Fills an empty popup with the "Load", "Save" and "Delete" popups (one item
// per slot, "Load (<name>)" or "Load (empty)" ...) and the Export, Export as
// text and Import items.
void fill_saved_config_popup(HMENU popup);

// Load: the slot's configuration replaces the current instrument's (both
// groups of a two-group instrument), the configuration page is shown again
// and the current configuration is sent to the instrument.
void load_saved_config_command(int n);
// Save: the name dialog, then the current instrument's configuration into
// slot n and the menu rebuilt. Nothing happens when the dialog is cancelled.
void save_config_to_slot_command(HWND owner, int n);
// Delete: asks, deletes, and rebuilds the menu.
void delete_saved_config_command(HWND owner, int n);
