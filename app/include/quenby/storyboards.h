#pragma once

namespace quenby {

/// The status menu's device rows: controllers "single" (SingleBatteryViewController) and "double"
/// (DoubleBatteryViewController).
inline constexpr auto kMenuItemsStoryboard = "MenuItems";
inline constexpr auto kSingleRowIdentifier = "single";
inline constexpr auto kDoubleRowIdentifier = "double";
/// The content of the first-start hint (initial controller: FirstStartViewController).
inline constexpr auto kFirstStartStoryboard = "FirstStart";

/// Registers the application's storyboards with platform::ui::Storyboard; runs once per process.
void registerStoryboards();

} // namespace quenby
