// Headless binding: placeholder until the platform interface lands.
namespace platform {
void HeadlessBindingAnchor() {}
} // namespace platform
