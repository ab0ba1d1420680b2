#pragma once
// The gauge in its normal mode: keeps its data log in a folder and answers the text commands
// on endpoint 2 with packets on endpoint 0x82. It can be told to misbehave.

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "sim/data_log.h"
#include "sim/sim_device.h"

namespace korvel::sim {

// How the gauge misbehaves, for the reliability tests.
struct GaugeFaults {
    bool silent = false;                    // takes every command and piece, answers nothing
    std::string errorReply;                 // when set, every command is answered with it
    bool garbage = false;                   // answers every command with noise, no end marker
    std::vector<std::string> extraListing;  // lines added to the listing (e.g. hostile names)
    int silentFromPiece = -1;               // file pieces from this one (1 = first) get no answer
    int errorAtPiece = -1;                  // this piece (1 = first) is answered "ERROR ..."
};

class SimulatedGauge : public SimDevice {
  public:
    // Answers the rest of a command line after its verb with the packets to send.
    using CommandHandler = std::function<std::deque<std::string>(const std::string& argument)>;

    explicit SimulatedGauge(std::string dataLogFolder);

    std::uint16_t vendorId() const override;
    std::uint16_t productId() const override;
    int receive(int endpoint, std::string_view bytes) override;
    std::optional<std::string> nextPacket(int endpoint) override;
    void reset() override;
    void closed() override;

    // Adds a command: a line starting with the prefix is handed to the handler with the rest.
    void addCommand(const std::string& prefix, CommandHandler handler);

    // Puts a packet in the outgoing queue, as if left over from an unfinished exchange.
    void queue(std::string packet);

    GaugeFaults& faults() { return faults_; }
    // Every command line received, in order.
    const std::vector<std::string>& commands() const { return commands_; }

  private:
    void onCommand(const std::string& line);
    void onPiece(std::string_view piece);
    void answer(std::deque<std::string> packets);
    void endUpload();

    std::deque<std::string> directory(const std::string& argument);
    std::deque<std::string> readFile(const std::string& argument);
    std::deque<std::string> writeFile(const std::string& argument);

    DataLog dataLog_;
    GaugeFaults faults_;
    std::map<std::string, CommandHandler, std::greater<>> handlers_;  // longest prefix first
    std::deque<std::string> outgoing_;
    std::vector<std::string> commands_;
    FileReceiver upload_;
    int piecesReceived_ = 0;
};

// A reply of text followed by the end-marker packet.
std::deque<std::string> textReply(std::string_view text);
// A one-packet answer without an end marker (as each upload step gets).
std::deque<std::string> shortAnswer(std::string_view text);
// The same 300 bytes of noise every time: every byte value, NUL, 0xFF, CR and LF included.
std::string gaugeNoise();

}  // namespace korvel::sim
