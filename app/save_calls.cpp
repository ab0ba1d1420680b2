#include "app/save_calls.h"

namespace korvel {

namespace {

SaveCalls* current = nullptr;

}  // namespace

SaveCalls& saveCalls() {
    return current ? *current : systemSaveCalls();
}

SaveCallsOverride::SaveCallsOverride(SaveCalls& calls) : previous_(current) {
    current = &calls;
}

SaveCallsOverride::~SaveCallsOverride() {
    current = previous_;
}

}  // namespace korvel
