// The report window's points: the soundings in the report's order (add files, drag to reorder,
// or the buttons), each one's label and place on the plan in a table, and the plan preview where
// a click places the chosen point. It edits the report's point list in place.
#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "common/messages.h"
#include "site/site_report.h"

class QListWidget;
class QPushButton;
class QTableWidget;

namespace site::app {

class SitePlanView;

class SitePointsEditor : public QWidget {
    Q_OBJECT
public:
    // `folder` gives the folder the report's names are relative to (empty: full paths).
    SitePointsEditor(SiteReport& report, std::function<std::filesystem::path()> folder,
                     rave::MessageSink& messages, QWidget* parent = nullptr);

    // Adds soundings at the end; a file that is no sounding, or past kMaxReportPoints, is refused
    // with a message naming it. The number added.
    int AddFiles(const std::vector<std::filesystem::path>& files);
    // The report was replaced (opened, restored): the lists show it again.
    void Reload();
    // The points' names as the pages show them: the label, else the sheet's point number.
    std::vector<std::string> Labels();
    // Places the selected point (the first one when none is selected).
    void PlaceSelected(const PlanPoint& place);
    void SelectPoint(int index);
    int SelectedPoint() const;

    QListWidget* List() const { return list_; }
    QTableWidget* Table() const { return table_; }
    SitePlanView* Plan() const { return plan_; }

Q_SIGNALS:
    void Changed();
    // The user asks for files to add (the window's file chooser).
    void AddRequested();

private:
    void Rebuild();
    void CellEdited(int row, int column);
    void OrderFromList();
    void Move(int offset);
    void RemoveSelected();
    std::string PointNumberOf(const std::string& stored);

    SiteReport& report_;
    std::function<std::filesystem::path()> folder_;
    rave::MessageSink& messages_;
    std::map<std::filesystem::path, std::string> pointNumbers_;  // by the sounding's path
    QListWidget* list_ = nullptr;
    QTableWidget* table_ = nullptr;
    SitePlanView* plan_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* up_ = nullptr;
    QPushButton* down_ = nullptr;
    bool rebuilding_ = false;
};

}  // namespace site::app
