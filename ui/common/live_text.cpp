#include "ui/common/live_text.h"

#include <QEvent>
#include <QLabel>
#include <QPointer>

namespace dravik::ui {

namespace {

class LanguageWatch : public QObject {
public:
    LanguageWatch(QWidget* watched, QObject* owner, std::function<void()> show)
        : QObject(owner), watched_(watched), show_(std::move(show))
    {
        watched->installEventFilter(this);
    }
    ~LanguageWatch() override
    {
        if (watched_)
            watched_->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == watched_ && event->type() == QEvent::LanguageChange)
            show_();
        return false;
    }

private:
    QPointer<QWidget> watched_;
    std::function<void()> show_;
};

const char* const kLiveTextName = "LiveText";

}  // namespace

void ShowTranslated(QWidget* watched, QObject* owner, std::function<void()> show)
{
    show();
    new LanguageWatch(watched, owner, std::move(show));
}

void SetLiveText(QLabel* label, std::function<QString()> text)
{
    delete label->findChild<QObject*>(QLatin1String(kLiveTextName), Qt::FindDirectChildrenOnly);
    auto show = [label, text = std::move(text)] { label->setText(text ? text() : QString()); };
    show();
    auto* watch = new LanguageWatch(label, label, std::move(show));
    watch->setObjectName(QLatin1String(kLiveTextName));
}

}  // namespace dravik::ui
