#include "settings/window_state.h"

namespace glyphory {

std::string FormStateSection(std::string_view windowName) { return std::string(windowName) + "FormState"; }

void RestoreFormState(const TIniStore& store, std::string_view windowName, FormPlacement& placement) {
  const std::string section = FormStateSection(windowName);
  FormPlacement restored = placement;
  restored.left = store.ReadInteger(section, "Left", placement.left);
  restored.top = store.ReadInteger(section, "Top", placement.top);
  if (placement.sizeable) {
    restored.width = store.ReadInteger(section, "Width", placement.width);
    restored.height = store.ReadInteger(section, "Height", placement.height);
  }
  if (store.ReadBool(section, "Maximized", false)) {
    restored.maximized = true;
  }
  placement = restored;
}

void SaveFormState(TIniStore& store, std::string_view windowName, const FormPlacement& placement,
                   const ShowErrorFn& showError) {
  const std::string section = FormStateSection(windowName);
  try {
    store.WriteBool(section, "Maximized", placement.maximized);
    store.WriteInteger(section, "Left", placement.left);
    store.WriteInteger(section, "Top", placement.top);
    if (placement.sizeable) {
      store.WriteInteger(section, "Width", placement.width);
      store.WriteInteger(section, "Height", placement.height);
    }
    store.WriteBool(section, "Saved", true);
  } catch (const EIniFileError& error) {
    if (showError) {
      showError(error.what());
    }
  }
}

bool FormStateSaved(const TIniStore& store, std::string_view windowName) {
  return store.ReadBool(FormStateSection(windowName), "Saved", false);
}

}  // namespace glyphory
