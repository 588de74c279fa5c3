#pragma once

namespace pirrow {

/// The storyboard of the gradient dialog's own content (initial controller: GradientDialogViewController).
inline constexpr auto kGradientDialogStoryboard = "GradientDialog";
/// The storyboard of the about panel's content (initial controller: AboutViewController).
inline constexpr auto kAboutStoryboard = "About";
/// The other-apps panel (initial controller: OtherAppsViewController).
inline constexpr auto kOtherAppsStoryboard = "OtherApps";
/// One tile of the other-apps panel (initial controller: OtherAppCell).
inline constexpr auto kOtherAppCellStoryboard = "OtherAppCell";

/// The paged tour (initial controller: TourViewController).
inline constexpr auto kTourStoryboard = "Tour";

/// Registers the library's storyboards with platform::ui::Storyboard. Runs once per process; the
/// library's own code calls it before it loads a storyboard.
void registerStoryboards();

} // namespace pirrow
