#include "ui/ErrorDialog.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "app/ErrorReport.h"
#include "app/FailureScope.h"
#include "app/ObjectNames.h"
#include "app/Platform.h"
#include "ui/FormTranslation.h"
#include "ui/MailLink.h"
#include "ui/WindowHelpers.h"

#include <QApplication>
#include <QDate>
#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTextDocument>
#include <QVBoxLayout>

namespace {

QFont verdanaFont(const QFont& base, bool bold = false)
{
    QFont font = base;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    font.setBold(bold);
    return font;
}

QPushButton* button(QLatin1StringView name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setFont(verdanaFont(button->font()));
    button->setAutoDefault(false);
    button->setMinimumWidth(110);
    return button;
}

QLabel* label(QLatin1StringView name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFont(verdanaFont(label->font()));
    QSizePolicy wrapping(QSizePolicy::Preferred, QSizePolicy::Minimum);
    wrapping.setHeightForWidth(true);
    label->setSizePolicy(wrapping);
    return label;
}

bool isOwnedBy(const QWidget* widget, const QWidget* owner)
{
    for (; widget; widget = widget->parentWidget())
        if (widget == owner)
            return true;
    return false;
}

} // namespace

ErrorDialog::ErrorDialog(QString lastErrorText, const AppState& state, Platform& platform, Dialogs& dialogs,
                         const BuiltinStrings& strings, QWidget* parent)
    : QDialog(parent), lastErrorText(std::move(lastErrorText)), state(state), platform(platform), dialogs(dialogs),
      strings(strings)
{
    setObjectName(ObjectName::frmError);
    setWindowTitle(MessageRequest::productName());
    buildControls();
}

ErrorDialog::~ErrorDialog() = default;

void ErrorDialog::buildControls()
{
    auto* shpTop = new QWidget(this);
    shpTop->setObjectName(ObjectName::shpTop);
    shpTop->setAutoFillBackground(true);
    QPalette headerPalette = shpTop->palette();
    headerPalette.setColor(QPalette::Window, QColor(0xff, 0xff, 0xff));
    headerPalette.setColor(QPalette::WindowText, QColor(0x1a, 0x22, 0x2c));
    shpTop->setPalette(headerPalette);

    picIco = new QLabel(shpTop);
    picIco->setObjectName(ObjectName::picIco);
    picIco->setFixedSize(ProgramIconSize, ProgramIconSize);
    lblTop = label(ObjectName::lblTop, shpTop);
    QFont headline = verdanaFont(lblTop->font(), true);
    headline.setPointSizeF(headline.pointSizeF() * 1.15);
    lblTop->setFont(headline);
    lblTop->setText(QStringLiteral("KRVN Manager has encountered an internal error."));

    auto* header = new QHBoxLayout(shpTop);
    header->setContentsMargins(16, 14, 16, 14);
    header->setSpacing(14);
    header->addWidget(picIco, 0, Qt::AlignTop);
    header->addWidget(lblTop, 1, Qt::AlignVCenter);

    auto* linTop = new QFrame(this);
    linTop->setObjectName(ObjectName::linTop);
    linTop->setFrameShape(QFrame::HLine);
    linTop->setFrameShadow(QFrame::Sunken);

    lblMain = label(ObjectName::lblMain, this);
    lblSecond = label(ObjectName::lblSecond, this);
    txtReport = new QPlainTextEdit(this);
    txtReport->setObjectName(ObjectName::txtReport);
    txtReport->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtReport->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtReport->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtReport->setMinimumHeight(150);

    cmdReport = button(ObjectName::cmdReport, QStringLiteral("Send Report"), this);
    cmdRestart = button(ObjectName::cmdRestart, QStringLiteral("Restart Program"), this);
    cmdIgnore = button(ObjectName::cmdIgnore, QStringLiteral("Ignore"), this);
    cmdIgnore->setDefault(true);
    connect(cmdReport, &QPushButton::clicked, this, &ErrorDialog::mailReport);
    connect(cmdRestart, &QPushButton::clicked, this, &ErrorDialog::restart);
    connect(cmdIgnore, &QPushButton::clicked, this, &ErrorDialog::ignore);

    auto* linBottom = new QFrame(this);
    linBottom->setObjectName(ObjectName::linBottom);
    linBottom->setFrameShape(QFrame::HLine);
    linBottom->setFrameShadow(QFrame::Sunken);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 12, 16, 4);
    body->setSpacing(10);
    body->addWidget(lblMain);
    body->addWidget(lblSecond);
    body->addWidget(txtReport, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 10, 16, 14);
    buttons->setSpacing(8);
    buttons->addWidget(cmdReport);
    buttons->addStretch();
    buttons->addWidget(cmdRestart);
    buttons->addWidget(cmdIgnore);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(shpTop);
    layout->addWidget(linTop);
    layout->addLayout(body, 1);
    layout->addWidget(linBottom);
    layout->addLayout(buttons);
    resize(580, 500);
}

void ErrorDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        showReport();
}

bool ErrorDialog::event(QEvent* event)
{
    if (event->type() == QEvent::WindowDeactivate)
        leftForElsewhere = !isOwnedBy(QApplication::activeWindow(), this);
    if (event->type() == QEvent::WindowActivate && leftForElsewhere) {
        leftForElsewhere = false;
        showReport();
    }
    return QDialog::event(event);
}

void ErrorDialog::showReport()
{
    FailureScope steps(nullptr, QStringLiteral("frmError Form_Activate"));
    steps.step([&] {
        const qreal ratio = devicePixelRatioF();
        QPixmap icon(QSize(ProgramIconSize, ProgramIconSize) * ratio);
        icon.setDevicePixelRatio(ratio);
        icon.fill(Qt::transparent);
        QPainter painter(&icon);
        drawProgramIcon(painter, 0, 0, 0);
        painter.end();
        picIco->setPixmap(icon);

        applyCaptions(*this, errorDialogCaptions(state));
        cmdReport->setVisible(true);
        cmdRestart->setVisible(true);
        txtReport->setVisible(true);

        QString report = errorInformationSection(lastErrorText);
        setReport(report);
        report += environmentSection({state.appVersion, platform.osDisplayName(), state.krvnVersion, state.krvnExe});
        setReport(report);
        report += closingSection(platform.today(), QLocale::system());
        setReport(report);
    });
    if (steps.failed()) {
        steps.clear();
        MessageRequest notice;
        notice.text = ReportFailedText;
        notice.icon = MessageIcon::Exclamation;
        dialogs.messageBox(notice);
    }
}

void ErrorDialog::setReport(const QString& report)
{
    builtReport = report;
    QString shown = report;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    txtReport->setPlainText(shown);
}

QString ErrorDialog::reportText() const
{
    if (!txtReport->document()->isModified())
        return builtReport;
    QString report = txtReport->toPlainText();
    report.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return report;
}

void ErrorDialog::mailReport()
{
    const QString subject =
        MessageRequest::productName() + QLatin1Char(' ') + state.appVersion + QStringLiteral(" error report");
    sendEmail(platform, dialogs, strings, subject, reportText(), false);
    cmdReport->setEnabled(false);
}

void ErrorDialog::restart()
{
    platform.startDetached(platform.applicationFilePath(), {}, state.appFolder);
    platform.endProcess();
    reject();
}

void ErrorDialog::ignore()
{
    reject();
}
