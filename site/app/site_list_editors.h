// Two small editors of the report window, each over one list of the report, edited in place:
// an outline (the lot's or the building's corners, X and Y in metres) and the photographs with
// their captions.
#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <vector>

#include "common/messages.h"
#include "site/site_report.h"

class QTableWidget;

namespace site::app {

class SiteOutlineEditor : public QWidget {
    Q_OBJECT
public:
    // `title` names the outline ("敷地(&L)"): the label of the table and of its buttons.
    SiteOutlineEditor(const QString& title, std::vector<PlanPoint>& corners, rave::MessageSink& messages,
                      QWidget* parent = nullptr);
    void Reload();
    QTableWidget* Table() const { return table_; }

Q_SIGNALS:
    void Changed();

private:
    void CellEdited(int row, int column);

    std::vector<PlanPoint>& corners_;
    rave::MessageSink& messages_;
    QTableWidget* table_ = nullptr;
    bool rebuilding_ = false;
};

class SitePhotosEditor : public QWidget {
    Q_OBJECT
public:
    SitePhotosEditor(std::vector<ReportPhoto>& photos, std::function<std::filesystem::path()> folder,
                     rave::MessageSink& messages, QWidget* parent = nullptr);
    // Adds the images at the end, each with an empty caption to type; the number added.
    int AddFiles(const std::vector<std::filesystem::path>& files);
    void Reload();
    QTableWidget* Table() const { return table_; }

Q_SIGNALS:
    void Changed();
    void AddRequested();

private:
    void Move(int offset);

    std::vector<ReportPhoto>& photos_;
    std::function<std::filesystem::path()> folder_;
    rave::MessageSink& messages_;
    QTableWidget* table_ = nullptr;
    bool rebuilding_ = false;
};

}  // namespace site::app
