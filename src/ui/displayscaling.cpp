#include "displayscaling.h"

#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

void enableDisplayScaling()
{
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
#endif
}

namespace {

// The room a content widget's children take, with the 5 pixels the main window's
// design leaves right of its rightmost label.
QSize extent(const QWidget *content)
{
    QRect children;
    for (const QWidget *child : content->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        children |= child->geometry();
    return QSize(children.right(), children.bottom()) + QSize(6, 6);
}

// Shrinks a window that is larger than its screen's available area as it is
// shown, and moves it inside: its content scrolls then.
class ScreenFit : public QObject
{
public:
    explicit ScreenFit(QWidget *window) : QObject(window), window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window && event->type() == QEvent::Show && window->screen())
            fit(window->screen()->availableGeometry());
        return false;
    }

private:
    void fit(const QRect &area)
    {
        // The frame is known here on Windows; elsewhere it may be known only later.
        const QSize frame = window->frameGeometry().size() - window->size();
        const QSize room = area.size() - frame;
        // A window shown maximized takes the whole area even where no window
        // manager maximizes it. One that scrolls one way gets the room for the
        // scroll bar the other way, where there is some.
        QSize size = window->isMaximized() ? room : window->size();
        const int bar = window->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, window);
        if (size.height() > room.height())
            size.rwidth() += bar;
        if (size.width() > room.width())
            size.rheight() += bar;
        window->resize(size.boundedTo(room));
        QRect outer(window->frameGeometry().topLeft(), window->size() + frame);
        outer.moveRight(qMin(outer.right(), area.right()));
        outer.moveBottom(qMin(outer.bottom(), area.bottom()));
        outer.moveLeft(qMax(outer.left(), area.left()));
        outer.moveTop(qMax(outer.top(), area.top()));
        if (outer.topLeft() != window->frameGeometry().topLeft())
            window->move(outer.topLeft());
    }

    QWidget *window;
};

QScrollArea *scrolling(QWidget *content, QWidget *parent)
{
    auto *area = new QScrollArea(parent);
    area->setObjectName(QStringLiteral("scrollArea"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    // No stop of its own in the focus order; it scrolls to the widget that has the focus.
    area->setFocusPolicy(Qt::NoFocus);
    content->setMinimumSize(extent(content));
    area->setWidget(content);
    new ScreenFit(parent);
    return area;
}

} // namespace

QScrollArea *scrollWhenSmall(QMainWindow *window)
{
    QWidget *content = window->takeCentralWidget();
    QScrollArea *area = scrolling(content, window);
    window->setCentralWidget(area);
    return area;
}

QScrollArea *scrollWhenSmall(QDialog *dialog)
{
    const QList<QWidget *> children = dialog->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
    // Made in the dialog, so that the focus order stays the children's order.
    auto *content = new QWidget(dialog);
    content->setObjectName(QStringLiteral("content"));
    for (QWidget *child : children)
        child->setParent(content);
    QScrollArea *area = scrolling(content, dialog);
    auto *layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area);
    return area;
}
