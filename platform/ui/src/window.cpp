#include "platform/ui/window.h"

#include "platform/ui/screen.h"
#include "platform/ui/systemappearance.h"
#include "platform/ui/view.h"
#include "platform/ui/viewcontroller.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace platform::ui {

namespace {
    QSize pixelSize(Size s)
    {
        return QSize(std::max(0, int(std::ceil(s.width - 1e-9))), std::max(0, int(std::ceil(s.height - 1e-9))));
    }
} // namespace

WindowDelegate::~WindowDelegate() = default;

void WindowDelegate::windowWillClose(Window *) { }

Window::Window(const Rect &contentRect, unsigned styleMask, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_styleMask(styleMask)
    , m_backgroundColor(Color::windowBackground())
{
    resize(pixelSize(contentRect.size));
    if (const auto screen = Screen::mainFrame(); screen && (contentRect.x() != 0 || contentRect.y() != 0)) {
        // Window origins are y-up from the bottom of the desktop.
        move(int(contentRect.x()), int(screen->maxY() - contentRect.maxY()));
    }
    applyFlags();
    applySizeLimits();
}

Window::~Window()
{
    // The controller destroys its view; the window's other children go with the QWidget.
    m_contentViewController.reset();
}

Window *Window::withContentViewController(std::unique_ptr<ViewController> controller)
{
    const Size size = controller ? controller->view()->frame().size : Size();
    auto *window = new Window(Rect(Point(), size), titled | closable | miniaturizable | resizable);
    if (controller)
        window->setTitle(controller->title());
    window->setContentViewController(std::move(controller));
    return window;
}

void Window::setStyleMask(unsigned mask)
{
    if (mask == m_styleMask)
        return;
    m_styleMask = mask;
    applyFlags();
    applySizeLimits();
}

void Window::setTitle(const QString &title)
{
    m_title = title;
    setWindowTitle(m_titleVisibility == TitleVisibility::visible ? title : QString());
}

void Window::setTitleVisibility(TitleVisibility visibility)
{
    m_titleVisibility = visibility;
    setTitle(m_title);
}

void Window::setBackgroundColor(const Color &color)
{
    m_backgroundColor = color;
    update();
}

bool Window::hasStandardButton(Button button) const
{
    if (!(m_styleMask & titled))
        return false;
    switch (button) {
    case Button::close:
        return m_styleMask & closable;
    case Button::miniaturize:
        return m_styleMask & miniaturizable;
    case Button::zoom:
        return m_styleMask & resizable;
    }
    return false;
}

bool Window::isStandardButtonHidden(Button button) const
{
    switch (button) {
    case Button::close:
        return m_closeHidden;
    case Button::miniaturize:
        return m_miniaturizeHidden;
    case Button::zoom:
        return m_zoomHidden;
    }
    return false;
}

void Window::setStandardButtonHidden(Button button, bool hidden)
{
    switch (button) {
    case Button::close:
        m_closeHidden = hidden;
        break;
    case Button::miniaturize:
        m_miniaturizeHidden = hidden;
        break;
    case Button::zoom:
        m_zoomHidden = hidden;
        break;
    }
    applyFlags();
}

void Window::setLevel(Level level)
{
    if (level == m_level)
        return;
    m_level = level;
    applyFlags();
}

void Window::applyFlags()
{
    Qt::WindowFlags flags = Qt::Window;
    if (!(m_styleMask & titled)) {
        flags |= Qt::FramelessWindowHint;
    } else {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
        const auto shows = [this](Button b) { return hasStandardButton(b) && !isStandardButtonHidden(b); };
        if (shows(Button::close))
            flags |= Qt::WindowCloseButtonHint;
        if (shows(Button::miniaturize))
            flags |= Qt::WindowMinimizeButtonHint;
        if (shows(Button::zoom))
            flags |= Qt::WindowMaximizeButtonHint;
    }
    if (m_level == Level::floating)
        flags |= Qt::WindowStaysOnTopHint;
    if (flags == windowFlags())
        return;
    // Qt hides a window whose flags change; show it again where it was.
    const bool visible = isVisible();
    setWindowFlags(flags);
    if (visible)
        show();
}

void Window::setContentView(View *view)
{
    if (view == m_contentView)
        return;
    delete m_contentView.data();
    m_contentView = view;
    if (view) {
        view->setParent(this);
        placeContentView();
        view->show();
    }
}

void Window::setContentViewController(std::unique_ptr<ViewController> controller)
{
    std::unique_ptr<ViewController> previous = std::move(m_contentViewController);
    m_contentViewController = std::move(controller);
    if (previous && m_contentView && m_contentView == previous->view())
        m_contentView = nullptr; // destroyed with its controller below
    setContentView(m_contentViewController ? m_contentViewController->view() : nullptr);
    previous.reset();
}

Size Window::contentSize() const { return Size { double(width()), double(height()) }; }

void Window::setContentSize(Size size)
{
    if (!(m_styleMask & resizable)) {
        // A fixed-size window takes a new size only once its limits are lifted.
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    resize(pixelSize(size));
    applySizeLimits();
    // A hidden window hears of its new size only when shown; its content follows at once.
    placeContentView();
}

void Window::setContentMinSize(Size size)
{
    m_contentMinSize = size;
    applySizeLimits();
}

void Window::setMinSize(Size size)
{
    m_minSize = size;
    applySizeLimits();
}

void Window::applySizeLimits()
{
    if (!(m_styleMask & resizable)) {
        setFixedSize(size());
        return;
    }
    const QSize min = pixelSize(Size {
        std::max(m_contentMinSize.width, m_minSize.width), std::max(m_contentMinSize.height, m_minSize.height) });
    setMinimumSize(min);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

void Window::placeContentView()
{
    if (m_contentView)
        m_contentView->setFrame(Rect(0, 0, width(), height()));
}

void Window::layoutIfNeeded()
{
    placeContentView();
    if (m_contentView)
        m_contentView->layoutSubtreeIfNeeded();
}

void Window::makeKeyAndOrderFront()
{
    layoutIfNeeded();
    show();
    raise();
    activateWindow();
}

void Window::orderOut() { hide(); }

void Window::center()
{
    QScreen *screen = this->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void Window::performClose() { close(); }

void Window::closeEvent(QCloseEvent *event)
{
    if (m_delegate)
        m_delegate->windowWillClose(this);
    event->accept();
    if (m_releasedWhenClosed)
        deleteLater();
}

void Window::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeContentView();
}

void Window::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_backgroundColor.resolved(SystemAppearance::instance().effective()).toQColor());
}

void Window::mousePressEvent(QMouseEvent *event)
{
    // Clicks that no view took land here: the background moves the window when allowed.
    if (m_movableByBackground && event->button() == Qt::LeftButton && windowHandle()) {
        windowHandle()->startSystemMove();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

} // namespace platform::ui
