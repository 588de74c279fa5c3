#pragma once

#include <QString>

namespace tavrin {

/// The maker's web pages, opened in the user's browser.
class Support {
public:
    Support() = delete;

    /// The maker's web site; other pages and files of the maker are paths below it.
    static inline const QString website = QStringLiteral("https://velmorn.example");
    static inline const QString contactPage = website + QStringLiteral("/contact");
    static inline const QString faqPage = website + QStringLiteral("/faq");

    static void openContactPage();
    static void openFAQPage();
    /// Opens the address with the workspace; an address that does not parse does nothing.
    static void openURL(const QString &address);
};

} // namespace tavrin
