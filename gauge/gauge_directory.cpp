#include "gauge/gauge_directory.h"

#include <algorithm>

namespace korvel {

namespace {

constexpr int kProgressStep = 5;
constexpr int kStepsWhileReceiving = 19;

FileListEntry parseLine(std::string_view line) {
    FileListEntry entry;
    const auto withoutLastTwo = [](std::string_view text) {
        return std::string(text.substr(0, text.size() < 2 ? 0 : text.size() - 2));
    };
    const std::size_t first = line.find(',');
    if (first == std::string_view::npos) {
        entry.modified = withoutLastTwo(line);
        return entry;
    }
    entry.name = std::string(line.substr(0, first));
    const std::size_t second = line.find(',', first + 1);
    if (second == std::string_view::npos) {
        entry.modified = withoutLastTwo(line);
        return entry;
    }
    entry.type = std::string(line.substr(first + 1, second - first - 1));
    entry.modified = withoutLastTwo(line.substr(second + 1));
    return entry;
}

}  // namespace

std::vector<FileListEntry> ParseGageDirectory(std::string_view reply) {
    std::vector<FileListEntry> entries;
    std::size_t position = 0;
    while (position < reply.size()) {
        const std::size_t lineFeed = std::min(reply.find('\n', position), reply.size());
        entries.push_back(parseLine(reply.substr(position, lineFeed - position)));
        position = lineFeed + 1;
    }
    return entries;
}

std::string ReadGageDirectory(GaugeLink& link) {
    UserVoice& voice = link.voice();
    const TextTable& texts = link.texts();
    voice.setStatus("");
    std::string reply;
    if (!link.openForOperation()) {
        voice.setStatus(link.usb().linkFailureMessage());
    } else if (link.SendCommand("dir /dev/datalog") >= 1) {
        voice.setProgressRange(1, 100);
        int packets = 1;
        reply = link.CollectReply([&] {
            if (packets <= kStepsWhileReceiving) {
                voice.setProgress(packets++ * kProgressStep);
            }
            voice.repaint();
        });
        voice.setProgress(reply.empty() ? 0 : 100);
        voice.setStatus(texts.message(reply.empty() ? "IDS_STATUS_GAGEREFRESHFAILURE"
                                                    : "IDS_STATUS_GAGEREFRESHCOMPLETE"));
    }
    link.ReleaseGage();
    voice.setProgress(1);
    voice.repaint();
    return reply;
}

std::optional<std::vector<FileListEntry>> RefreshGageFilesList(GaugeLink& link) {
    WaitCursor wait(link.voice());
    link.voice().setStatus("");
    const std::string reply = ReadGageDirectory(link);
    std::vector<FileListEntry> entries = ParseGageDirectory(reply);
    if (reply.empty() || entries.empty()) {
        return std::nullopt;
    }
    return entries;
}

}  // namespace korvel
