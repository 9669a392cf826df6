// Modal messages: the one way the data and plotting layers tell the user
// something. The window installs a real message box; tests install a
// recorder. With nothing installed a message is dropped.
#pragma once

#include <string>

namespace orniva {

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows `text` modally (caption "Halvaro", one OK button) and returns when
  // the user has closed it. Lines are separated by "\r\n".
  virtual void ShowMessage(const std::string& text) = 0;
};

// Installs `sink` (not owned; nullptr removes it) and returns the previous one.
MessageSink* InstallMessageSink(MessageSink* sink);

void ShowMessage(const std::string& text);

}  // namespace orniva
