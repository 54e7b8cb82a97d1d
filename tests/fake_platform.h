#pragma once
// A scripted Platform for headless tests: it records every message box and chooser,
// answers from queues the test fills, and runs dialog forms through a callback.

#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "base/platform.h"

namespace vesko::testing {

class FakePlatform : public Platform {
public:
    struct Message {
        std::u16string caption;
        std::u16string text;
        MessageButtons buttons;
    };

    MessageAnswer ShowMessage(std::u16string_view caption, std::u16string_view text,
                              MessageButtons buttons) override {
        messages.push_back({std::u16string(caption), std::u16string(text), buttons});
        if (!answers.empty()) {
            const MessageAnswer answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return buttons == MessageButtons::YesNoCancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
    }

    std::filesystem::path ChooseFolder(std::u16string_view title,
                                       const std::filesystem::path& initialFolder) override {
        chooserTitles.emplace_back(title);
        chooserStarts.push_back(initialFolder);
        if (folders.empty()) {
            return {};
        }
        std::filesystem::path folder = folders.front();
        folders.pop_front();
        return folder;
    }

    std::filesystem::path ChooseFile(std::u16string_view filter,
                                     const std::filesystem::path& initialFolder) override {
        fileFilters.emplace_back(filter);
        (void)initialFolder;
        if (files.empty()) {
            return {};
        }
        std::filesystem::path file = files.front();
        files.pop_front();
        return file;
    }

    bool RunDialog(CDialogForm& form) override {
        ++dialogsRun;
        return runDialog ? runDialog(form) : false;
    }

    void OpenUrl(std::u16string_view url) override { openedUrls.emplace_back(url); }

    void EndProcess(int exitCode) override { endedWith = exitCode; }

    // Texts of the message boxes shown so far.
    std::vector<std::u16string> MessageTexts() const {
        std::vector<std::u16string> texts;
        for (const auto& m : messages) {
            texts.push_back(m.text);
        }
        return texts;
    }

    std::deque<MessageAnswer> answers;            // next message-box answers
    std::deque<std::filesystem::path> folders;    // next folder-chooser results
    std::deque<std::filesystem::path> files;      // next file-chooser results
    std::function<bool(CDialogForm&)> runDialog;  // plays the user's part in a dialog
    std::vector<Message> messages;
    std::vector<std::u16string> chooserTitles;
    std::vector<std::filesystem::path> chooserStarts;
    std::vector<std::u16string> fileFilters;
    std::vector<std::u16string> openedUrls;
    int dialogsRun = 0;
    int endedWith = -1;  // -1 while the process has not been ended
};

}  // namespace vesko::testing
