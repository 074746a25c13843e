#include "screenshottour.h"

#include "helpcontext.h"
#include "helpsystem.h"
#include "mainwindow.h"
#include "payrunmodel.h"
#include "payrunscreen.h"
#include "payslipreport.h"
#include "payslipsavedialog.h"
#include "preparationscreen.h"
#include "reportpreview.h"
#include "screennames.h"
#include "screenregistry.h"
#include "wholefile.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextStream>
#include <QWidget>
#include <QWindow>

namespace {

void settle()
{
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QTest::qWait(30);
    }
}

// The window as the screen shows it, frame included when a window manager
// draws one; the widget alone otherwise.
bool shoot(QWidget *widget, const QString &path)
{
    settle();
    QByteArray png;
    QBuffer buffer(&png);
    // Written whole, like every file of the program: the pictures show
    // payroll data.
    return buffer.open(QIODevice::WriteOnly) && widget->grab().save(&buffer, "PNG")
           && WholeFile::write(path, png) == 0;
}

} // namespace

namespace ScreenshotTour {

int run(MainWindow &window, ScreenRegistry &registry, HelpSystem &help, const QString &outputDir)
{
    QDir().mkpath(outputDir);
    int failures = 0;
    auto save = [&](QWidget *widget, const QString &name) {
        const QString path = QDir(outputDir).filePath(name + QStringLiteral(".png"));
        if (!widget || !shoot(widget, path)) {
            QTextStream(stderr) << "Capture impossible : " << name << '\n';
            ++failures;
        }
    };

    window.show();
    window.findChild<QAction *>(QStringLiteral("Heu"))->trigger();
    save(&window, QStringLiteral("main-window"));

    // The employee file on its three tabs (the folder holds the demonstration).
    if (window.openEmployeeFile()) {
        QWidget *employees = registry.find(ScreenName::Employee);
        save(employees, QStringLiteral("employee-identity"));
        QTest::keyClick(employees, Qt::Key_F3);
        save(employees, QStringLiteral("employee-rates"));
        QTest::keyClick(employees, Qt::Key_F4);
        save(employees, QStringLiteral("employee-base"));
        QTest::keyClick(employees, Qt::Key_F2);
        employees->hide();

        // The first employee's pay slip for March 2001 with ten hours more,
        // as "Aperçu avant impression" shows it.
        auto *preparation = qobject_cast<PreparationScreen *>(registry.show(ScreenName::Preparation));
        if (preparation) {
            const QList<QPair<const char *, const char *>> typed = {
                {"Text2", "10"},   {"Text71", "01"}, {"Text72", "03"}, {"Text73", "2001"},
                {"Text74", "31"}, {"Text75", "03"}, {"Text76", "2001"}};
            for (const auto &[field, text] : typed)
                if (auto *edit = preparation->findChild<QLineEdit *>(QLatin1String(field)))
                    edit->setText(QLatin1String(text));
            preparation->produce(PreparationScreen::Output::Preview);
            ReportPreview *preview = preparation->report().preview();
            save(preview, QStringLiteral("preview"));
            if (preview)
                preview->close();
            save(preparation, QStringLiteral("preparation"));

            // Saved under a name, as the clerk does, so that the archive lists it.
            preparation->produce(PreparationScreen::Output::Save);
            if (PayslipSaveDialog *dialog = preparation->saveDialog()) {
                save(dialog, QStringLiteral("save-as"));
                dialog->findChild<QLineEdit *>(QStringLiteral("PayslipName"))->setText(QStringLiteral("mars-2001"));
                if (auto *button = dialog->findChild<QPushButton *>(QStringLiteral("Save")))
                    button->click();
            }
            preparation->close();
        }
    }

    // The saved pay slips of the folder, the first one chosen.
    if (QWidget *archive = registry.show(ScreenName::Archive)) {
        if (auto *files = archive->findChild<QListWidget *>(QStringLiteral("File1")); files && files->count() > 0)
            files->setCurrentRow(0);
        save(archive, QStringLiteral("archive"));
        archive->close();
    }

    // April 2001 for the three employees, MOREAU's figures taken from the
    // slip of March just saved, after « Calculer ».
    if (window.openPayRun()) {
        if (auto *payRun = registry.find<PayRunScreen>(ScreenName::PayRun)) {
            payRun->openPeriod(PayRunPeriod::month(2001, 4));
            PayRunModel &model = payRun->model();
            model.setData(model.index(1, PayRunModel::columnOf(PayRunFigures::AbsenceHours)), QStringLiteral("7"));
            model.setData(model.index(2, PayRunModel::columnOf(PayRunFigures::Bonus)), QStringLiteral("500"));
            payRun->calculate();
            save(payRun, QStringLiteral("payrun"));
            payRun->close();
        }
    }

    const QList<QPair<QString, QString>> screens = {
        {ScreenName::Parameters, QStringLiteral("parameters")},
        {ScreenName::EuroRate, QStringLiteral("euro-rate")},
        {ScreenName::Employer, QStringLiteral("employer")},
        {ScreenName::Converter, QStringLiteral("converter")},
        {ScreenName::About, QStringLiteral("about")},
        {ScreenName::EmployeeList, QStringLiteral("employee-list")},
        {ScreenName::Calculator, QStringLiteral("calculator")},
        {ScreenName::Photo, QStringLiteral("photo")},
    };
    for (const auto &[screenName, fileName] : screens) {
        if (!registry.knows(screenName))
            continue;
        QWidget *screen = registry.show(screenName);
        save(screen, fileName);
        screen->hide();
    }

    help.openContents();
    settle();
    save(QApplication::activeWindow(), QStringLiteral("help"));
    return failures == 0 ? 0 : 1;
}

} // namespace ScreenshotTour
