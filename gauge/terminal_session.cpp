#include "gauge/terminal_session.h"

namespace korvel {

TerminalSession::TerminalSession(UserVoice& voice, const TextTable& texts, UsbPort& port)
    : link_(voice, texts, port), reader_(link_) {}

TerminalSession::~TerminalSession() {
    stopRead();
    link_.Close();
}

void TerminalSession::activate() {
    opened_ = 0;
    resetNeeded_ = false;
}

bool TerminalSession::openLink() {
    if (opened_) {
        return true;
    }
    UsbDevice* device = link_.FindDevice(kGaugeVendorId, kGaugeProductId);
    if (device && link_.Open(device) == 0) {
        opened_ = 1;
        return true;
    }
    link_.noteOutcome(Outcome::LinkLost);
    link_.voice().show(MessageKind::Error, link_.linkFailureMessage());
    return false;
}

int TerminalSession::writeCommand(std::string_view command) {
    WaitCursor wait(link_.voice());
    link_.clearOutcome();
    if (!openLink()) {
        return 0;
    }
    const int result =
        link_.Write(kCommandEndpoint, command.data(), static_cast<int>(command.size()));
    if (result < 1) {
        link_.noteOutcome(Outcome::LinkLost);
        link_.voice().show(MessageKind::Error, link_.texts().message("IDS_ERR_USBSEND"));
    }
    return result;
}

bool TerminalSession::startRead(TerminalReaderSink& sink) {
    if (!openLink()) {
        return false;
    }
    reader_.start(sink);
    return true;
}

bool TerminalSession::readToEnd(TerminalReaderSink& sink) {
    if (!openLink()) {
        return false;
    }
    reader_.readHere(sink);
    stopRead();
    return true;
}

void TerminalSession::stopRead() {
    WaitCursor wait(link_.voice());
    reader_.stopAndWait();
    resetNeeded_ = resetNeeded_ || reader_.takeEndMarker();
    if (opened_) {
        if (resetNeeded_) {
            link_.Reset();
            resetNeeded_ = false;
        }
        link_.Close();
        opened_ = 0;
    }
}

}  // namespace korvel
