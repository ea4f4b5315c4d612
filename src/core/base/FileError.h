#pragma once

#include <array>
#include <exception>
#include <string>
#include <string_view>

namespace tollenvane {

// The closed set of refusals of file work. Thrown as is; its description is looked up in the
// current language each time it is shown (errorDescription in localisation/ErrorText.h).
class FileError : public std::exception {
public:
    enum Case {
        unsupported,
        missing,
        changed,
        offline,
        collision,
        invalidDestination,
        unsafeSource,
        permission,
        runningApplication,
        protectedApplication,
    };
    static constexpr std::size_t caseCount = 10;

    FileError(Case errorCase) noexcept // NOLINT(google-explicit-constructor)
        : case_(errorCase)
    {}

    Case errorCase() const noexcept { return case_; }
    // The French message, the catalogue key of its translations.
    std::string_view messageKey() const noexcept { return messageKey(case_); }
    static std::string_view messageKey(Case errorCase) noexcept;
    // The French message, for logs and debuggers; screens show its translation.
    const char* what() const noexcept override;

    friend bool operator==(const FileError& a, const FileError& b) noexcept
    {
        return a.case_ == b.case_;
    }

private:
    Case case_;
};

} // namespace tollenvane
