#include "gauge/usb_trace.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <mutex>
#include <type_traits>

namespace korvel {

namespace {

constexpr int kTracedBytes = 16;

struct Tracer {
    const UsbApi* inner = nullptr;
    Clock* clock = nullptr;
    UsbTraceSink sink;
    std::mutex mutex;  // the terminal's reader thread traces too
};

Tracer& tracer() {
    static Tracer instance;
    return instance;
}

std::string hexBytes(const char* bytes, int size) {
    std::string text;
    char hex[4];
    for (int i = 0; i < std::min(size, kTracedBytes); ++i) {
        std::snprintf(hex, sizeof hex, " %02x", static_cast<unsigned char>(bytes[i]));
        text += hex;
    }
    return text;
}

// "usb_bulk_read ep=0x82 len=64 -> 12 (3 ms): 41 42 ..."
struct CallDetails {
    int endpoint = -1;
    int length = -1;
    const char* packet = nullptr;
    int packetSize = 0;
};

void traceLine(const char* name, const CallDetails& details, const std::string& result,
               std::int64_t startMs) {
    Tracer& t = tracer();
    std::string line = name;
    char number[32];
    if (details.endpoint >= 0) {
        std::snprintf(number, sizeof number, " ep=0x%02x", details.endpoint);
        line += number;
    }
    if (details.length >= 0) {
        line += " len=" + std::to_string(details.length);
    }
    line += " -> " + result + " (" + std::to_string(t.clock->nowMs() - startMs) + " ms)";
    if (details.packet && details.packetSize > 0) {
        line += ":" + hexBytes(details.packet, details.packetSize);
    }
    std::lock_guard lock(t.mutex);
    if (t.sink) {
        t.sink(line);
    }
}

template <typename Result, typename Call>
Result traced(const char* name, CallDetails details, Call call) {
    const std::int64_t start = tracer().clock->nowMs();
    if constexpr (std::is_void_v<Result>) {
        call();
        traceLine(name, details, "done", start);
    } else {
        const Result result = call();
        if constexpr (std::is_pointer_v<Result>) {
            traceLine(name, details, result ? "ok" : "null", start);
        } else {
            traceLine(name, details, std::to_string(result), start);
        }
        return result;
    }
}

const UsbApi& in() {
    return *tracer().inner;
}

const UsbApi kTracedApi = {
    [](int level) { traced<void>("usb_set_debug", {}, [&] { in().set_debug(level); }); },
    [] { traced<void>("usb_init", {}, [] { in().init(); }); },
    [] { return traced<int>("usb_find_busses", {}, [] { return in().find_busses(); }); },
    [] { return traced<int>("usb_find_devices", {}, [] { return in().find_devices(); }); },
    [] { return traced<UsbBus*>("usb_get_busses", {}, [] { return in().get_busses(); }); },
    [](UsbDevice* device) {
        return traced<usb_dev_handle*>("usb_open", {}, [&] { return in().open(device); });
    },
    [](usb_dev_handle* handle, int configuration) {
        return traced<int>("usb_set_configuration", {},
                           [&] { return in().set_configuration(handle, configuration); });
    },
    [](usb_dev_handle* handle, int interface) {
        return traced<int>("usb_claim_interface", {},
                           [&] { return in().claim_interface(handle, interface); });
    },
    [](usb_dev_handle* handle, int endpoint, const char* bytes, int size, int timeout) {
        return traced<int>("usb_bulk_write", {endpoint, size, bytes, size},
                           [&] { return in().bulk_write(handle, endpoint, bytes, size, timeout); });
    },
    [](usb_dev_handle* handle, int endpoint, char* bytes, int size, int timeout) {
        const std::int64_t start = tracer().clock->nowMs();
        const int result = in().bulk_read(handle, endpoint, bytes, size, timeout);
        traceLine("usb_bulk_read", {endpoint, size, bytes, result}, std::to_string(result), start);
        return result;
    },
    [](usb_dev_handle* handle, int interface) {
        return traced<int>("usb_release_interface", {},
                           [&] { return in().release_interface(handle, interface); });
    },
    [](usb_dev_handle* handle) {
        return traced<int>("usb_reset", {}, [&] { return in().reset(handle); });
    },
    [](usb_dev_handle* handle) {
        return traced<int>("usb_close", {}, [&] { return in().close(handle); });
    },
};

}  // namespace

const UsbApi& tracedUsbApi(const UsbApi& inner, Clock& clock, UsbTraceSink sink) {
    Tracer& t = tracer();
    std::lock_guard lock(t.mutex);
    t.inner = &inner;
    t.clock = &clock;
    t.sink = std::move(sink);
    return kTracedApi;
}

UsbTraceSink appendingTraceSink(const std::string& path) {
    std::shared_ptr<std::FILE> file(std::fopen(path.c_str(), "ab"), [](std::FILE* f) {
        if (f) {
            std::fclose(f);
        }
    });
    return [file](const std::string& line) {
        if (file) {
            std::fprintf(file.get(), "%s\n", line.c_str());
            std::fflush(file.get());
        }
    };
}

}  // namespace korvel
