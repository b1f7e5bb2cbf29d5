// Start-up and shutdown steps whose work belongs to other subsystems. Each
// is called by ScopeApp at its documented place; the owning subsystem fills
// in the body.
#include "app/scope_app.h"

#include "app/panel_settings.h"
#include "link/link_controller.h"

namespace trivolux {

// Panel settings file: read at start-up (InitAll step 10).
void ScopeApp::LoadPanelSettings() { panelSettings_->LoadPanelSettings(); }

// Panel settings file: written when the main window closes and on ACCEPT.
void ScopeApp::StorePanelSettings() { panelSettings_->StorePanelSettings(); }

// Connection settings of the panel settings file (InitAll step 13).
void ScopeApp::GetConnectionSettingsFromFile() { panelSettings_->GetConnectionSettingsFromFile(); }

// Controls -> working copy of the parameter set (InitAll step 8).
void ScopeApp::GetPanelValues() {}

// The first connection attempt (InitAll step 14).
void ScopeApp::TryToConnect() { link_->TryToConnect(); }

// The record page became the active page: lay it out for its record mode.
void ScopeApp::InitRecordPageOnShow() {}

}  // namespace trivolux
