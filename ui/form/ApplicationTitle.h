#pragma once

namespace kestrix {

// The application's title: the task bar text and the caption of every
// error box.
inline constexpr const char* kApplicationTitle = "Kestrix For Windows 95";
// The main window's own caption.
inline constexpr const char* kMainWindowCaption = "Kestrix for Windows 95";
// The caption of both save prompts, which has always differed from the others.
inline constexpr const char* kSavePromptCaption = "Vellmarin for Windows 95";

} // namespace kestrix
