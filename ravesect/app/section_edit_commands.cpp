// The undo steps of committed editing dialogs and the shared dialog helpers.
#include "ravesect/app/section_edit_commands.h"

#include <QLabel>
#include <QUndoCommand>
#include <QUndoStack>
#include <utility>

#include "platform/codec.h"
#include "ravesect/app/section_frame.h"
#include "ravesect/editing/working_file_snapshot.h"

namespace ravesect::app {

namespace {

const std::filesystem::path& PathOf(const SectionFrame& frame, EditedFile file) {
    return file == EditedFile::kPointsLayers ? frame.Files().pointsLayers : frame.Files().titles;
}

// The file's bytes before and after one committed dialog.
class WorkingFileEditCommand : public QUndoCommand {
public:
    WorkingFileEditCommand(const QString& label, SectionFrame& frame, EditedFile file,
                           WorkingFileSnapshot before, WorkingFileSnapshot after)
        : QUndoCommand(label),
          frame_(frame),
          file_(file),
          before_(std::move(before)),
          after_(std::move(after)) {}

    void undo() override { Restore(before_); }
    void redo() override {
        // The first redo is the push itself: the file already holds the new bytes.
        if (pushed_) {
            Restore(after_);
        }
        pushed_ = true;
    }

private:
    void Restore(const WorkingFileSnapshot& snapshot) {
        const std::filesystem::path& path = PathOf(frame_, file_);
        if (!RestoreSnapshot(path, snapshot)) {
            frame_.Messages().Show(CannotOpenWorkingFileMessage(path));
        }
        SectionDocument& document = frame_.Document();
        if (file_ == EditedFile::kPointsLayers) {
            ReadPointsLayersFile(frame_.Files(), document);
        } else {
            ReadTitlesFile(frame_.Files(), document);
        }
        document.modified = true;
        frame_.RefreshView();
    }

    SectionFrame& frame_;
    EditedFile file_;
    WorkingFileSnapshot before_;
    WorkingFileSnapshot after_;
    bool pushed_ = false;
};

}  // namespace

bool CommitWorkingFile(SectionFrame& frame, EditedFile file, const QString& label,
                       const std::function<bool()>& write) {
    const std::filesystem::path& path = PathOf(frame, file);
    WorkingFileSnapshot before = TakeSnapshot(path);
    const bool written = write();
    WorkingFileSnapshot after = TakeSnapshot(path);
    if (!(before == after)) {
        frame.Document().modified = true;
        frame.UndoStack()->push(
            new WorkingFileEditCommand(label, frame, file, std::move(before), std::move(after)));
    }
    frame.RefreshView();
    return written;
}

std::optional<std::string> TypedCp932(const QString& text, const QString& fieldName,
                                      rave::MessageSink& messages) {
    std::optional<std::string> bytes = rave::platform::Utf8ToCp932(text.toStdString());
    if (!bytes) {
        const QString message = QStringLiteral("「%1」に保存できない文字があります。").arg(fieldName);
        messages.Show({0, rave::platform::Utf8ToCp932(message.toStdString()).value_or(std::string()), {}});
    }
    return bytes;
}

QString ShownCp932(const std::string& cp932) {
    return QString::fromStdString(rave::platform::Cp932ToUtf8(cp932));
}

QLabel* FieldLabel(const QString& text, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(field);
    QString name = text;
    name.remove(QLatin1Char('&'));
    field->setAccessibleName(name);
    return label;
}

}  // namespace ravesect::app
