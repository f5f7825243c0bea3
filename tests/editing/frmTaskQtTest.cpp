#include "FakeListHost.h"

#include "editing/ListText.h"
#include "editing/frmTask.h"
#include "geometry/TaskEditorLayout.h"

#include "support/TempFolder.h"

#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

namespace agendrix {

namespace {
    const CivilDate Today { 2026, 12, 6 };

    QPoint Centre(const PixelRect& r) { return { r.X + r.Width / 2, r.Y + r.Height / 2 }; }

    // Clicks whatever the dialog shows at the middle of a layout rectangle.
    void ClickAt(QWidget* dialog, const PixelRect& where)
    {
        const QPoint point = Centre(where);
        QWidget* target = dialog->childAt(point);
        if (!target)
            target = dialog;
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(dialog, point));
    }

    // Clicks into a field and replaces its text by typing.
    void TypeInto(QWidget* dialog, const PixelRect& field, const QString& text)
    {
        ClickAt(dialog, field);
        QWidget* target = dialog->childAt(Centre(field));
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_Delete);
        for (const QChar c : text) // keyClicks takes Latin-1 only
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }

    PromptRequest Message(const char* text, PromptIcon icon)
    {
        return { "Agendrix", text, icon, PromptButtons::Ok, PromptAnswer::Ok };
    }

    enum class Dismissal { CancelButton, CloseCross, EscapeKey, AltC, WindowClosed };

    const PromptRequest AutoPurgeQuestion { "Auto Purge On...",
        "Marking this item as Complete will automatically remove it from the list, do you wish to continue?",
        PromptIcon::Exclamation, PromptButtons::YesNo, PromptAnswer::No };
} // namespace

class TaskEditorTest : public QObject {
    Q_OBJECT

    test::TempFolder Folder;
    std::unique_ptr<FakeListHost> Host;
    QPointer<frmTask> Editor;
    std::unique_ptr<QSignalSpy> ClosedSpy;
    std::vector<std::string> Added; // every line the editor added, before the list reassessed it

    frmTask* Open(std::vector<std::string> lines, std::size_t index)
    {
        Host = std::make_unique<FakeListHost>();
        Host->Folder = QString::fromStdString(Folder.Path());
        Host->Date = Today;
        Host->List.Tasks.Load(lines);
        Host->List.Tasks.SetListener([this](const StoreChange& change) {
            if (change.What == StoreChange::Kind::Add)
                Added.push_back(change.Line);
        });
        Editor = new frmTask(*Host, index, nullptr);
        ClosedSpy = std::make_unique<QSignalSpy>(Editor.data(), &frmTask::Closed);
        Editor->Open();
        if (!QTest::qWaitForWindowActive(Editor))
            qWarning("the editor did not become the active window");
        return Editor;
    }
    frmTask* OpenNew() { return Open({}, 0); }

    template <typename T> T* Child(const char* name) const
    {
        return Editor->findChild<T*>(QLatin1String(name));
    }
    QString Days() const { return Child<QLineEdit>("Text2")->text(); }
    QDate Date() const { return Child<QDateEdit>("DTPicker1")->date(); }
    bool IsClosed() const { return ClosedSpy->count() == 1 && !Editor->isVisible(); }
    void ClickButton(EditorButton button) { ClickAt(Editor, EditorButtonTarget(button)); }

    std::vector<PromptRequest> Asked() const { return Host->Asked.Asked; }

private slots:
    void initTestCase()
    {
        const QString background = QFINDTESTDATA("../../skins/Default/taskedit.bmp");
        QVERIFY(!background.isEmpty());
        const QString source = QFileInfo(background).absolutePath();
        const QString target = QString::fromStdString(Folder / "Skins/Default");
        QVERIFY(QDir().mkpath(target));
        for (const QString& name : QDir(source).entryList(QDir::Files))
            QVERIFY(QFile::copy(source + QLatin1Char('/') + name, target + QLatin1Char('/') + name));
    }

    void cleanup()
    {
        delete Editor;
        Added.clear();
    }

    // Refused input first.

    void EmptyDescriptionIsRefusedAndTheDialogStays()
    {
        OpenNew();
        ClickButton(EditorButton::Ok);
        QCOMPARE(
            Asked(), (std::vector { Message("Please enter a Task Description.", PromptIcon::Exclamation) }));
        QVERIFY(Added.empty());
        QCOMPARE(ClosedSpy->count(), 0);
        QVERIFY(Editor->isVisible());
        QVERIFY(Child<QLineEdit>("Text1_0")->hasFocus());
    }

    void DaysThatAreNotANumberBecomeThreeOnLeavingTheField_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        const auto row = [](const char* name, const char* typed, const char* kept) {
            QTest::newRow(name) << QString::fromUtf8(typed) << QString::fromUtf8(kept);
        };
        // Which texts are numbers is the model's to say; here only that the field acts on it.
        row("letters", "abc", "3");
        row("noBreakSpacesAround", "\u00a07\u00a0", "\u00a07\u00a0");
    }
    void DaysThatAreNotANumberBecomeThreeOnLeavingTheField()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        OpenNew();
        TypeInto(Editor, TaskEditorLayout::Days, typed);
        QCOMPARE(Days(), typed);
        ClickAt(Editor, TaskEditorLayout::File);
        QCoreApplication::sendPostedEvents(Editor);
        QCOMPARE(Days(), kept);
        const bool refused = kept != typed;
        QCOMPARE(Asked().size(), std::size_t(refused ? 1 : 0));
        if (refused)
            QCOMPARE(Asked()[0], Message("Days to complete must be a number.", PromptIcon::None));
    }

    void DaysAreCheckedBeforeOkBuildsTheLine()
    {
        OpenNew();
        TypeInto(Editor, TaskEditorLayout::Description, QStringLiteral("Paint the fence"));
        TypeInto(Editor, TaskEditorLayout::Days, QStringLiteral("abc"));
        ClickButton(EditorButton::Ok);
        QCOMPARE(Asked(), (std::vector { Message("Days to complete must be a number.", PromptIcon::None) }));
        QCOMPARE(Added, (std::vector<std::string> { "09\tPaint the fence\t\t0\t20261220\t3\t0\t" }));
    }

    void AutoPurgeQuestionKeepsTheDialogUnlessAnsweredYes_data()
    {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::newRow("no") << PromptAnswer::No;
        QTest::newRow("cancel") << PromptAnswer::Cancel;
        QTest::newRow("yes") << PromptAnswer::Yes;
    }
    void AutoPurgeQuestionKeepsTheDialogUnlessAnsweredYes()
    {
        QFETCH(PromptAnswer, answer);
        const std::vector<std::string> before { "05\tWater the plants\t\t0\t20261206\t1\t0\t" };
        Open(before, 0);
        Host->TheSettings.AutoPurge = 1;
        Host->Asked.Answers = { answer };
        ClickAt(Editor, TaskEditorLayout::PriorityOption(CodeCompleted));
        ClickButton(EditorButton::Ok);
        QCOMPARE(Asked(), (std::vector { AutoPurgeQuestion }));
        if (answer != PromptAnswer::Yes) {
            QVERIFY(Editor->isVisible());
            QCOMPARE(Host->Lines(), before);
            return;
        }
        QCOMPARE(
            Added, (std::vector<std::string> { "10\t2026/12/06 - Water the plants\t\t0\t20261206\t1\t0\t" }));
        QVERIFY(Host->Lines().empty());
        QVERIFY(IsClosed());
    }

    void CharactersAListCannotHoldAreStoredAsQuestionMarksAndToldOnce()
    {
        OpenNew();
        TypeInto(Editor, TaskEditorLayout::Description, QString::fromUtf8("Call \xe5\xb1\xb1\xe7\x94\xb0"));
        TypeInto(Editor, TaskEditorLayout::Information, QString::fromUtf8("\xce\xa9 caf\xc3\xa9"));
        ClickButton(EditorButton::Ok);
        QCOMPARE(
            Asked(), (std::vector { Message(ReplacedCharactersMessage().c_str(), PromptIcon::Exclamation) }));
        QCOMPARE(Added, (std::vector<std::string> { "09\tCall ??\t? caf\xe9\t0\t20261220\t1\t0\t" }));
    }

    // What OK writes.

    void NewTaskWithOnlyADescription()
    {
        OpenNew();
        QCOMPARE(Editor->SelectedPriority(), CodeUnprioritized);
        TypeInto(Editor, TaskEditorLayout::Description, QStringLiteral("Call the plumber"));
        ClickButton(EditorButton::Ok);
        QVERIFY(Asked().empty());
        QCOMPARE(Added, (std::vector<std::string> { "09\tCall the plumber\t\t0\t20261220\t1\t0\t" }));
        QVERIFY(Host->List.Dirty);
        QCOMPARE(Host->Refreshes, 1);
        QCOMPARE(Host->Selected, (std::vector<std::string> { "Call the plumber" }));
        QVERIFY(IsClosed());
    }

    void DateBasedWritesCodeZeroAndFlagOne()
    {
        OpenNew();
        TypeInto(Editor, TaskEditorLayout::Description, QStringLiteral("Tax return"));
        ClickAt(Editor, TaskEditorLayout::PriorityOption(CodeNotAssessed));
        ClickAt(Editor, TaskEditorLayout::DayKindRow(2));
        ClickButton(EditorButton::Ok);
        QCOMPARE(Added, (std::vector<std::string> { "00\tTax return\t\t1\t20261220\t1\t2\t" }));
    }

    void ChangingTheDateAloneSelectsDateBased()
    {
        OpenNew();
        QCOMPARE(Editor->SelectedPriority(), CodeUnprioritized); // loading the date is no change
        ClickAt(Editor, TaskEditorLayout::DatePicker);
        QTest::keyClick(Child<QDateEdit>("DTPicker1"), Qt::Key_Up);
        QVERIFY(Date() != QDate(2026, 12, 20));
        QCOMPARE(Editor->SelectedPriority(), CodeNotAssessed);
    }

    void ClickingAPriorityLabelSelectsItsOption()
    {
        OpenNew();
        for (int option : { 3, 0, 10, 8, 1 }) {
            ClickAt(Editor, TaskEditorLayout::PriorityLabel(option));
            QCOMPARE(Editor->SelectedPriority(), option);
        }
        QCOMPARE(Child<QLabel>("lblPrior_1")->text(), QStringLiteral("\"Broken\""));
        QCOMPARE(Child<QLabel>("lblPrior_4")->text(), QStringLiteral("Level 5 - High"));
    }

    void DayKindPicturesAndRowsSelectTheirKind()
    {
        OpenNew();
        QCOMPARE(Editor->SelectedDayKind(), 0);
        ClickAt(Editor, TaskEditorLayout::DayKindPicture(2));
        QCOMPARE(Editor->SelectedDayKind(), 2);
        const PixelRect row = TaskEditorLayout::DayKindRow(1);
        ClickAt(Editor, { row.Right() - 10, row.Y, 4, row.Height }); // the week picture
        QCOMPARE(Editor->SelectedDayKind(), 1);
        // A press that leaves the row before its release selects nothing.
        QTest::mousePress(Editor, Qt::LeftButton, {}, Centre(TaskEditorLayout::DayKindRow(0)));
        QTest::mouseRelease(Editor, Qt::LeftButton, {}, Centre(TaskEditorLayout::DayKindRow(2)));
        QCOMPARE(Editor->SelectedDayKind(), 1);
    }

    void UpDownStepsTheDaysWithinRange()
    {
        OpenNew();
        ClickAt(Editor, TaskEditorLayout::DaysUp);
        ClickAt(Editor, TaskEditorLayout::DaysUp);
        QCOMPARE(Days(), QStringLiteral("3"));
        for (int i = 0; i < 5; ++i)
            ClickAt(Editor, TaskEditorLayout::DaysDown);
        QCOMPARE(Days(), QStringLiteral("0"));
    }

    void LongInformationIsShortenedWithAMessage()
    {
        OpenNew();
        TypeInto(Editor, TaskEditorLayout::Description, QStringLiteral("Notes"));
        Child<QPlainTextEdit>("Text1_1")->setPlainText(QString(1030, QLatin1Char('i')));
        ClickButton(EditorButton::Ok);
        QCOMPARE(Asked(), (std::vector { Message(ShorteningMessage().c_str(), PromptIcon::Exclamation) }));
        QCOMPARE(Added.size(), std::size_t(1));
        QCOMPARE(Added[0].size(), MaxTaskLineLength);
        QVERIFY(IsClosed());
    }

    // Opening on an existing task.

    void TaskWithFlagOneOpensWithDateBasedSelected()
    {
        Open({ "05\tReport\tfirst\xb6second\t1\t20261210\t2\t1\t/home/me/report.odt" }, 0);
        QCOMPARE(Editor->SelectedPriority(), CodeNotAssessed);
        QCOMPARE(Date(), QDate(2026, 12, 10));
        QCOMPARE(Days(), QStringLiteral("2"));
        QCOMPARE(Editor->SelectedDayKind(), 1);
        QCOMPARE(Child<QPlainTextEdit>("Text1_1")->toPlainText(), QStringLiteral("first\nsecond"));
        QCOMPARE(Child<QLineEdit>("Text3")->text(), QStringLiteral("/home/me/report.odt"));
    }

    void EditingReplacesTheLine()
    {
        Open({ "03\tOld text\ta\xb6"
               "b\t0\t20261201\t4\t2\t",
                 "07\tOther\t\t0\t20261201\t1\t0\t" },
            0);
        QVERIFY(Host->NoHide);
        TypeInto(Editor, TaskEditorLayout::Description, QStringLiteral("New text"));
        ClickButton(EditorButton::Ok);
        QCOMPARE(Added,
            (std::vector<std::string> { "03\tNew text\ta\xb6"
                                        "b\t0\t20261201\t4\t2\t" }));
        QCOMPARE(Host->Lines().size(), std::size_t(2));
        QVERIFY(!Host->NoHide);
    }

    // Browse, Delete Task, Cancel.

    void BrowseOffersTheCurrentFile_data()
    {
        QTest::addColumn<bool>("cancelled");
        QTest::newRow("cancelled") << true;
        QTest::newRow("chosen") << false;
    }
    void BrowseOffersTheCurrentFile()
    {
        QFETCH(bool, cancelled);
        Open({ "06\tShop\t\t0\t20261201\t1\t0\t/home/me/list.txt" }, 0);
        if (!cancelled)
            Host->Asked.Chosen = "/home/me/caf\xc3\xa9.pdf";
        ClickButton(EditorButton::Browse);
        QCOMPARE(Host->Asked.Dialogs.size(), std::size_t(1));
        const FileDialogRequest& request = Host->Asked.Dialogs[0];
        QCOMPARE(request.What, FileDialogRequest::Kind::Open);
        QCOMPARE(request.InitialPath, std::string("/home/me/list.txt"));
        QVERIFY(request.Filter.empty());
        QCOMPARE(Child<QLineEdit>("Text3")->text(),
            cancelled ? QStringLiteral("/home/me/list.txt") : QString::fromUtf8("/home/me/caf\xc3\xa9.pdf"));
        QVERIFY(Editor->isVisible());
    }

    // Delete Task asks nothing; on a new task (an index past the list) it only closes.
    void DeleteTaskRemovesTheTaskWithoutAsking_data()
    {
        QTest::addColumn<std::vector<std::string>>("lines");
        QTest::addColumn<std::vector<std::string>>("left");
        const std::string shop = "06\tShop\t\t0\t20261201\t1\t0\t";
        QTest::newRow("newTaskJustCloses") << std::vector { shop } << std::vector { shop };
        QTest::newRow("taskRemoved") << std::vector { shop, std::string("07\tCook\t\t0\t20261201\t1\t0\t") }
                                     << std::vector { shop };
    }
    void DeleteTaskRemovesTheTaskWithoutAsking()
    {
        QFETCH(std::vector<std::string>, lines);
        QFETCH(std::vector<std::string>, left);
        Open(lines, 1);
        ClickButton(EditorButton::DeleteTask);
        QCOMPARE(Host->Lines(), left);
        QVERIFY(Asked().empty());
        QCOMPARE(Host->List.Dirty, lines != left);
        QVERIFY(IsClosed());
    }

    void CancellingChangesNothing_data()
    {
        QTest::addColumn<Dismissal>("how");
        QTest::newRow("cancelButton") << Dismissal::CancelButton;
        QTest::newRow("closeCross") << Dismissal::CloseCross;
        QTest::newRow("escapeKey") << Dismissal::EscapeKey;
        QTest::newRow("altC") << Dismissal::AltC;
        QTest::newRow("windowClosed") << Dismissal::WindowClosed;
    }
    void CancellingChangesNothing()
    {
        QFETCH(Dismissal, how);
        const std::vector<std::string> lines { "06\tShop\t\t0\t20261201\t1\t0\t" };
        Open(lines, 0);
        TypeInto(Editor, TaskEditorLayout::Description, QStringLiteral("Changed"));
        switch (how) {
        case Dismissal::CancelButton:
            ClickButton(EditorButton::Cancel);
            break;
        case Dismissal::CloseCross:
            ClickButton(EditorButton::Close);
            break;
        case Dismissal::EscapeKey:
            QTest::keyClick(Editor, Qt::Key_Escape);
            break;
        case Dismissal::AltC:
            QTest::keyClick(Editor, Qt::Key_C, Qt::AltModifier);
            break;
        case Dismissal::WindowClosed:
            Editor->close();
            break;
        }
        QCOMPARE(Host->Lines(), lines);
        QVERIFY(!Host->List.Dirty);
        QCOMPARE(Host->Refreshes, 0);
        QVERIFY(!Host->NoHide);
        QVERIFY(IsClosed());
    }

    void ClosedIsEmittedOnceAndTheDialogDeletesItself()
    {
        OpenNew();
        TypeInto(Editor, TaskEditorLayout::Description, QStringLiteral("Once"));
        QTest::keyClick(Editor, Qt::Key_Return);
        ClickButton(EditorButton::Cancel);
        Editor->close();
        QCOMPARE(ClosedSpy->count(), 1);
        QCOMPARE(Added.size(), std::size_t(1));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Editor.isNull());
    }

    // The window itself.

    void SkinnedBorderlessWindowCentredOnTheScreen()
    {
        OpenNew();
        QCOMPARE(Editor->windowTitle(), QStringLiteral("Task Details"));
        QVERIFY(Editor->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!Editor->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(Editor->isModal());
        QCOMPARE(Editor->size(), QSize(420, 420));
        QCOMPARE(Editor->frameGeometry().center(), Editor->screen()->availableGeometry().center());
        // The title band, where no control lies, shows the background as it is.
        const QRect band(0, 0, 390, 40);
        const QImage shown = Editor->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(band);
        const QImage skin(QString::fromStdString(Folder / "Skins/Default/taskedit.bmp"));
        QCOMPARE(shown, skin.convertToFormat(QImage::Format_RGB32).copy(band));
    }

    void DockedListKeepsTheEditorOnTop()
    {
        Host = std::make_unique<FakeListHost>();
        Host->IsDocked = true;
        Editor = new frmTask(*Host, 0, nullptr);
        Editor->Open();
        QVERIFY(Editor->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(Editor->size(), QSize(420, 420)); // no skin in the program folder
    }

    void PictureButtonsShowTheirCells()
    {
        OpenNew();
        auto* ok = Child<TaskEditorButton>("picCommand2");
        auto* remove = Child<TaskEditorButton>("picCommand4");
        const QImage sheet = QImage(QString::fromStdString(Folder / "Skins/Default/editbtns.bmp"))
                                 .convertToFormat(QImage::Format_RGB32);
        const auto looksLike = [&](TaskEditorButton* button, EditorButton which, EditorButtonLook look) {
            const PixelRect cell = EditorButtonCell(which, look);
            return button->grab().toImage().convertToFormat(QImage::Format_RGB32)
                == sheet.copy(cell.X, cell.Y, cell.Width, cell.Height);
        };
        QVERIFY(looksLike(ok, EditorButton::Ok, EditorButtonLook::Normal));
        const QPoint inside = ok->rect().center();
        const QPoint leftOfIt = inside - QPoint(ok->width(), 0);
        QTest::mousePress(ok, Qt::LeftButton, {}, inside);
        QCOMPARE(ok->Look(), EditorButtonLook::Pressed);
        QVERIFY(looksLike(ok, EditorButton::Ok, EditorButtonLook::Pressed));
        // Released away from the button: no click, and the focus it took shows.
        QTest::mouseRelease(ok, Qt::LeftButton, {}, leftOfIt);
        QVERIFY(Asked().empty());
        QCOMPARE(ok->Look(), EditorButtonLook::Focused);
        QVERIFY(looksLike(ok, EditorButton::Ok, EditorButtonLook::Focused));
        QTest::mousePress(remove, Qt::LeftButton, {}, remove->rect().center());
        QVERIFY(looksLike(remove, EditorButton::DeleteTask, EditorButtonLook::Pressed));
        QVERIFY(ok->hasFocus()); // Delete Task never takes the focus
        QTest::mouseRelease(remove, Qt::LeftButton, {}, remove->rect().center() + QPoint(remove->width(), 0));
        QVERIFY(looksLike(remove, EditorButton::DeleteTask, EditorButtonLook::Normal));
        QVERIFY(Editor->isVisible());
    }

    void AccessKeysClickTheirCommandsAtOnce()
    {
        OpenNew();
        QTest::keyClick(Editor, Qt::Key_B, Qt::AltModifier);
        QCOMPARE(Host->Asked.Dialogs.size(), std::size_t(1));
        QVERIFY(Child<TaskEditorButton>("picCommand1")->hasFocus());
        QTest::keyClick(Editor, Qt::Key_5, Qt::AltModifier);
        QCOMPARE(Editor->SelectedPriority(), 4);
        TypeInto(Editor, TaskEditorLayout::Description, QStringLiteral("Keys"));
        QTest::keyClick(Editor, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(Added, (std::vector<std::string> { "04\tKeys\t\t0\t20261220\t1\t0\t" }));
    }

    void DraggingTheSurfaceMovesTheDialog()
    {
        OpenNew();
        const QPoint start = Editor->pos();
        // Plain background: below the middle of the file field, above the buttons.
        const PixelRect file = TaskEditorLayout::File;
        const QPoint grip(
            Centre(file).x(), (file.Bottom() + EditorButtonTarget(EditorButton::DeleteTask).Y) / 2);
        QTest::mousePress(Editor, Qt::LeftButton, {}, grip);
        QCOMPARE(Editor->cursor().shape(), Qt::SizeAllCursor);
        QTest::mouseMove(Editor, grip + QPoint(30, 20));
        QCOMPARE(Editor->pos(), start + QPoint(30, 20));
        QTest::mouseRelease(Editor, Qt::LeftButton, {}, grip + QPoint(30, 20));
        QCOMPARE(Editor->cursor().shape(), Qt::ArrowCursor);
    }
};

} // namespace agendrix

QTEST_MAIN(agendrix::TaskEditorTest)
#include "frmTaskQtTest.moc"
