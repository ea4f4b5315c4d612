#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace tollenvane {

// What covers the whole window, if anything.
enum class RootOverlay { none, launch, tutorial };

// The launch screen wins while the state loads; then the tutorial until onboarding is done, and
// whenever asked for again.
RootOverlay rootOverlay(bool loading, bool onboardingComplete, bool showTutorial);

// The status bar's progress line while a scan runs.
std::string scanProgressText(std::int64_t indexedCount);

// The issue button's count; none hides the button.
std::optional<std::string> issueButtonText(std::int64_t issueCount);
// What assistive technology reads of the issue button: what it counts, not the bare number.
std::string issueButtonName(std::int64_t issueCount);
// What is told as a scan ends: the files it found, then its problems when there are any.
QString scanEndNotice(std::int64_t indexedCount, std::int64_t issueCount);

// The model keeps only the first texts of a scan's problems.
inline constexpr std::int64_t shownIssueLimit = 30;
// Whether the issues sheet says that only the first ones are listed.
bool issueListTruncated(std::int64_t issueCount);

} // namespace tollenvane
