#include "platform/display_state.h"

#include <cstring>

namespace lumvale {

std::optional<std::uint32_t> DisplayStateOf(const void* broadcast, const Guid& setting) {
    if (broadcast == nullptr) return std::nullopt;
    const auto* bytes = static_cast<const unsigned char*>(broadcast);
    Guid guid{};
    std::uint32_t length = 0, state = 0;
    std::memcpy(&guid, bytes, sizeof(guid));
    std::memcpy(&length, bytes + sizeof(guid), sizeof(length));
    if (std::memcmp(&guid, &setting, sizeof(guid)) != 0 || length < sizeof(state)) return std::nullopt;
    std::memcpy(&state, bytes + sizeof(guid) + sizeof(length), sizeof(state));
    return state;
}

}  // namespace lumvale
