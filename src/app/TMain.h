#pragma once

#include "app/MemoLog.h"
#include "app/ProgressBarSink.h"
#include "app/QtEventPump.h"
#include "app/RomListModel.h"
#include "app/TMainServices.h"
#include "catalogue/CategoryTable.h"
#include "catalogue/Rom.h"
#include "util/StringList.h"
#include "util/TextLines.h"

#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;
class QTableView;
class QTimer;

namespace quarvel {

class TrkGlassButton;
class TrkVistaPanel;

// The main window: both pages, the top bar, the log and the start-up chain. Handlers
// read controls, call the core and write controls back.
class TMain : public QWidget {
    Q_OBJECT

public:
    explicit TMain(TMainServices services, QWidget* parent = nullptr);
    ~TMain() override;

    static constexpr const char* Caption = "Quarvel 0.6 beta";
    static constexpr const char* WebAddress = "https://quarvel.app";

    const StringList& CategoryNames() const { return categoryNames_; }
    const CategoryTable& Categories() const { return categories_; }
    const RomTable& RomList() const { return romList_; }
    const RomTable& FilteredRoms() const { return filteredRoms_; }
    const StringList& CloneNames() const { return cloneNames_; }
    const StringList& OriginalNames() const { return originalNames_; }
    const StringList& SourceFiles() const { return sourceFiles_; }
    // The machine-list location remembered by the open dialog.
    const QString& OpenDialog1FileName() const { return openDialog1FileName_; }

    static constexpr const char* SettingsKey = "Software\\Quarvel";
    static constexpr const char* SettingsValue = "Settings";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateTopBar();
    void CreateClonesPage();
    void CreateRomsListPage();
    void ConnectHandlers();
    // Runs a handler; an error that leaves it goes to the standard error box.
    void Guarded(const std::function<void()>& handler);

    void FormCreate();
    void FormDestroy();
    void Timer1Timer();
    void LoadSettings();
    void BuildCategories();
    void ButtonClonesClick();
    void ButtonRomsListClick();
    void ButtonRomsLisClick();
    void Label4Click();
    void TabSheet1MouseMove();
    void ComboBox3Click();
    void PngSpeedButton1Click();
    void PngSpeedButton2Click();

    void SaveSettings();
    void RestoreSettings();
    void LoadRomList();
    void ScanSourceFolder();
    void MatchRomFiles();
    QString SourceExtension() const;

    // Marks a long operation: while one runs, the controls that would change the tables
    // or lists it walks are disabled, and they come back when it ends, also on an error.
    class BusyScope {
    public:
        explicit BusyScope(TMain& window);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        TMain& window_;
    };
    void UpdateControlStates();

    TMainServices services_;
    QString openDialog1FileName_;
    bool sourceScanned_ = false;
    bool listImported_ = false;
    int busyDepth_ = 0;

    // The shared lists, created in this order and freed in the reverse order.
    TextLines xmlLines_;
    StringList cloneNames_;
    StringList originalNames_;
    StringList sourceFiles_;
    StringList categoryNames_;

    RomTable romList_;
    RomTable filteredRoms_;
    CategoryTable categories_;

    TrkVistaPanel* vpnlTop_ = nullptr;
    TrkGlassButton* rkGlassButton2_ = nullptr;
    TrkGlassButton* buttonClones_ = nullptr;
    TrkGlassButton* buttonRomsList_ = nullptr;
    QComboBox* comboBox3_ = nullptr;
    QStackedWidget* pageControl1_ = nullptr;
    QWidget* tabSheet1_ = nullptr;
    QWidget* tabSheet2_ = nullptr;

    QPushButton* pngSpeedButton1_ = nullptr;
    QLineEdit* edit1_ = nullptr;
    QPushButton* pngSpeedButton2_ = nullptr;
    QLineEdit* edit2_ = nullptr;
    QLabel* label1_ = nullptr;
    QComboBox* comboBox1_ = nullptr;
    QPushButton* buttonGoFile_ = nullptr;
    QLabel* label2_ = nullptr;
    QComboBox* comboBox2_ = nullptr;
    QPushButton* button3_ = nullptr;
    QPlainTextEdit* memo1_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    QPushButton* button1_ = nullptr;
    QLabel* label4_ = nullptr;

    QWidget* panel1_ = nullptr;
    QLineEdit* buttonedEdit1_ = nullptr;
    QCheckBox* checkBox1_ = nullptr;
    QLabel* label6_ = nullptr;
    QLabel* label3_ = nullptr;
    QListWidget* catsBox_ = nullptr;
    QTableView* listView1_ = nullptr;
    RomListModel* romListModel_ = nullptr;
    QProgressBar* progressBar2_ = nullptr;

    QTimer* timer1_ = nullptr;

    std::unique_ptr<MemoLog> log_;
    std::unique_ptr<ProgressBarSink> progress1_;
    QtEventPump pump_;
};

} // namespace quarvel
