// Anchors the test support library until it grows real helpers.
namespace trivolux::test { int SupportAnchor() { return 0; } }
