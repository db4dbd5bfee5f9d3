#include "ui/FormTranslation.h"

#include "app/AppState.h"
#include "app/Failure.h"
#include "app/FailureScope.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>

namespace {

void setCaption(QObject* control, const QString& text)
{
    if (auto* button = qobject_cast<QAbstractButton*>(control))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(control))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(control))
        group->setTitle(text);
    else if (auto* menu = qobject_cast<QMenu*>(control))
        menu->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(control))
        action->setText(text);
    else
        throw Failure(FailureCode::ObjectRequired,
                      QStringLiteral("Object required: %1 shows no caption").arg(control->objectName()));
}

void applyCaption(QWidget& window, const Caption& caption)
{
    if (caption.objectName == window.objectName()) {
        window.setWindowTitle(caption.text);
        return;
    }
    QObject* control = window.findChild<QObject*>(caption.objectName);
    if (!control)
        throw Failure(FailureCode::ObjectRequired, QStringLiteral("Object required: %1").arg(caption.objectName));
    setCaption(control, caption.text);
}

} // namespace

void applyCaptions(QWidget& window, const FormCaptions& captions)
{
    for (const Caption& caption : captions)
        applyCaption(window, caption);
}

void translateMainWindow(bool atStartUp, MainWindowLanguageView& window, const AppState& state, ErrorHandler& errors)
{
    FailureScope steps(&errors, QStringLiteral("TranslateFrmMain"));
    for (const Caption& caption : mainWindowCaptions(state))
        steps.step([&] { applyCaption(window.captionWindow(), caption); });
    if (!atStartUp)
        steps.step([&] { window.identifyInstalledVersion(); });
    window.setStatusBar(QString());
}
