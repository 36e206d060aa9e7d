// wordpad.exe, else notepad.exe, through the shell's open verb.
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include "platform/text_editor.h"

namespace rave::platform {

bool OpenInTextEditor(const std::filesystem::path& file) {
    const std::wstring argument = L"\"" + file.native() + L"\"";
    const std::wstring folder = file.parent_path().native();
    for (const wchar_t* editor : {L"wordpad.exe", L"notepad.exe"}) {
        const auto result = reinterpret_cast<INT_PTR>(
            ShellExecuteW(nullptr, L"open", editor, argument.c_str(), folder.c_str(), SW_SHOWNORMAL));
        if (result > 32) {  // ShellExecute's own way of saying it started the program
            return true;
        }
    }
    return false;
}

}  // namespace rave::platform
