#pragma once

// The panel documents by name only, for headers that hold a reference to one.

namespace cockpix {
class BaseDocument;
class PanelDocuments;
namespace fs98 {
class Document;
}
namespace fs2k {
class Document;
}
} // namespace cockpix
