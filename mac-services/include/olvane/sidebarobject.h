#pragma once

#include <QString>

namespace olvane {

/// An entry of the main window's side bar: anything with a title. Titles are texts ready to show.
class SideBarObject {
public:
    explicit SideBarObject(QString title);
    virtual ~SideBarObject();
    SideBarObject(const SideBarObject &) = delete;
    SideBarObject &operator=(const SideBarObject &) = delete;

    const QString &title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

private:
    QString m_title;
};

} // namespace olvane
