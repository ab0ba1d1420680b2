#pragma once
// The Software Upgrade sequence over the gauge's boot-mode identity: the bootloader image
// streamed raw to endpoint 6, a 10 s pause, then the firmware image in chunks the gauge asks
// for one by one ("init", "OK n" requests, chunks with their 16-bit sum, "term").
// Runs to its end on the calling thread; every pause goes through the port's clock and every
// message, status and progress step through the link's voice. A cancel is honoured until the
// firmware step writes "init"; from then on the voice is told that it no longer can be.

#include <string>
#include <string_view>

#include "gauge/usb_link.h"

namespace korvel {

constexpr const char* kBootloaderFileName = "quenboot.bin";
constexpr int kBootloaderSettleMs = 10000;  // between the two steps
constexpr int kAfterInitPauseMs = 6000;     // after "init", whatever the write gave
constexpr int kRequestRetryPauseMs = 1000;  // after each empty request read
constexpr int kRequestReadAttempts = 5;
constexpr int kBootloaderTolerance = 100000;  // bytes after which a write error ends the step well

class FirmwareUpgrade {
  public:
    explicit FirmwareUpgrade(CUsbLink& link) : link_(link) {}

    // The whole sequence: the bootloader from the working directory, then the chosen image
    // (none: the bootloader alone). 0 on success, -1 on failure (after its messages); the
    // link's outcome says how it ended.
    int run(const std::string& workingDirectory, const std::string& firmwarePath);

    // Streams the image raw in packets of 64 bytes; true on success.
    bool loadBootloader(const std::string& path);
    // Sends the image as the gauge requests it; 0 on success (nothing to do for an empty path),
    // -1 on failure.
    int downloadFirmware(const std::string& path);

  private:
    struct Download;

    int runSteps(const std::string& workingDirectory, const std::string& firmwarePath);
    // Finds and opens the boot-mode gauge; false after telling the user why not.
    bool openBootDevice();
    // The gauge in its upgrade identity. When it is not there, says why: a gauge found in its
    // normal identity must be switched to its upgrade mode; anything else is the link failure.
    UsbDevice* findBootDevice();
    bool streamBootloader(const std::string& image);
    // The request and chunk loop; false when the error flag is set.
    bool sendRequestedChunks(Download& download);
    // The gauge's next request: its text, or nothing after five empty reads.
    bool readRequest(std::string& request);
    void finishWithTerm(Download& download);
    void reportSummary(const Download& download);
    void setStatusKey(std::string_view key);
    void showError(const std::string& text);

    CUsbLink& link_;
};

}  // namespace korvel
