// The one error type of the core: its message is the Italian text shown to the user as is,
// with the title of the message box that shows it.
#pragma once

#include <stdexcept>
#include <string>

namespace tv {

inline constexpr const char* kWindowCaption = "TORVELANDO PANNELLI MURARI";

class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& message, std::string title = kWindowCaption)
        : std::runtime_error(message), title_(std::move(title)) {}
    const std::string& title() const { return title_; }

private:
    std::string title_;
};

}  // namespace tv
