#pragma once

#include "app/kit/FileRevealer.h"
#include "app/kit/LinkOpener.h"

#include <QUrl>
#include <string>
#include <vector>

namespace tollenvane::test {

// Keeps what a screen asked the file manager to reveal, instead of asking it.
class RecordingRevealer final : public FileRevealer {
public:
    void reveal(const std::string& path) override { revealed.push_back(path); }
    std::vector<std::string> revealed;
};

// Keeps the folders and addresses a screen asked the desktop to open, instead of opening them.
class RecordingLinks final : public LinkOpener {
public:
    void openFolder(const std::string& path) override { folders.push_back(path); }
    void openUrl(const QUrl& url) override { urls.push_back(url); }
    std::vector<std::string> folders;
    std::vector<QUrl> urls;
};

// A desktop where no file manager answers: each file it is asked to show is kept, and said to
// be left unshown.
class UnansweredRevealer final : public FileRevealer {
public:
    void reveal(const std::string& path) override
    {
        revealed.push_back(path);
        unanswered(Request::show, path);
    }
    std::vector<std::string> revealed;
};

// The same for folders, and a desktop where no browser answers for addresses.
class UnansweredLinks final : public LinkOpener {
public:
    void openFolder(const std::string& path) override
    {
        folders.push_back(path);
        unanswered(Request::show, path);
    }
    void openUrl(const QUrl& url) override
    {
        urls.push_back(url);
        unanswered(Request::open, url.toDisplayString().toStdString());
    }
    std::vector<std::string> folders;
    std::vector<QUrl> urls;
};

} // namespace tollenvane::test
