// The window-state record: a window's placement kept in an INI store, in the
// section "<window name>FormState". The windows call these functions when they
// are created, shown and closed.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "settings/ini_store.h"

namespace glyphory {

// A window's normal (neither maximised nor minimised) rectangle and state.
struct FormPlacement {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool maximized = false;
  bool sizeable = false;  // only a sizeable window keeps its width and height
};

// Shows an error message to the user (a message box with the error icon).
using ShowErrorFn = std::function<void(const std::string& message)>;

// "frmMain" -> "frmMainFormState".
[[nodiscard]] std::string FormStateSection(std::string_view windowName);

// Restore: reads Left and Top (and, for a sizeable window, Width and Height)
// with the current values as defaults, and maximises when Maximized reads true.
void RestoreFormState(const TIniStore& store, std::string_view windowName, FormPlacement& placement);

// Save: writes Maximized, Left, Top, for a sizeable window Width and Height,
// and last Saved as true. A write the file system refuses is shown through
// `showError` and ends the save; the caller goes on.
void SaveFormState(TIniStore& store, std::string_view windowName, const FormPlacement& placement,
                   const ShowErrorFn& showError);

// The creation check: true when the record was saved before, so the window's
// automatic placement (centring) must be switched off.
[[nodiscard]] bool FormStateSaved(const TIniStore& store, std::string_view windowName);

}  // namespace glyphory
