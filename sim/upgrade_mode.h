#pragma once
// The gauge plugged in in its upgrade (boot) mode, vendor 0x0451 product 0x9001: takes the
// bootloader as a raw stream on endpoint 6, then the firmware in chunks it requests itself
// after "init" ("OK n"), checking every chunk's 16-bit sum, and answers "term". It keeps the
// images it received so that they can be compared with the files byte for byte.

#include <deque>
#include <string>
#include <vector>

#include "sim/sim_device.h"

namespace korvel::sim {

// How the boot-mode gauge misbehaves, for the upgrade's failure tests.
struct UpgradeFaults {
    bool silentAfterInit = false;       // never asks for a chunk
    std::string requestText;            // when set, every request is this text instead of "OK n"
    int requestSize = 64;               // data bytes asked for in each "OK n" request
    std::string termReply;              // when set, "term" is answered with it instead of "OK ..."
    bool silentTerm = false;            // "term" gets no answer
    long long imageBytesAccepted = -1;  // endpoint 6 refuses writes beyond this many bytes
    int failingChunk = -1;              // this chunk's write (1 = first) is refused
};

class BootModeGauge : public SimDevice {
  public:
    // With a folder, the images received are also kept there as "bootloader.bin" (when the
    // stream ends) and "firmware.bin" (when "term" completes the download).
    explicit BootModeGauge(std::string imageFolder = {});

    std::uint16_t vendorId() const override;
    std::uint16_t productId() const override;
    int receive(int endpoint, std::string_view bytes) override;
    std::optional<std::string> nextPacket(int endpoint) override;
    void reset() override;
    void closed() override;

    UpgradeFaults& faults() { return faults_; }
    const std::string& bootloaderImage() const { return bootloader_; }
    // The data of every good chunk of the last download, in order.
    const std::string& firmwareImage() const { return firmware_; }
    // True once "term" ended a download in which every chunk was good.
    bool firmwareComplete() const { return complete_; }
    // Every chunk as it came over the wire (data and sum), and every command line.
    const std::vector<std::string>& chunks() const { return chunks_; }
    const std::vector<std::string>& commands() const { return commands_; }

  private:
    int onImageBytes(std::string_view bytes);
    void onCommand(const std::string& line);
    void onChunk(std::string_view chunk);
    void request();
    void keep(const char* name, const std::string& image) const;

    std::string imageFolder_;
    UpgradeFaults faults_;
    std::deque<std::string> outgoing_;
    std::string bootloader_;
    bool bootloaderEnded_ = false;
    long long imageBytes_ = 0;
    bool downloading_ = false;
    bool chunkFailed_ = false;
    bool complete_ = false;
    std::string firmware_;
    std::vector<std::string> chunks_;
    std::vector<std::string> commands_;
};

}  // namespace korvel::sim
