#include "platform/messages.h"

namespace orniva {
namespace {
MessageSink* installedSink = nullptr;
}

MessageSink* InstallMessageSink(MessageSink* sink) {
  MessageSink* previous = installedSink;
  installedSink = sink;
  return previous;
}

void ShowMessage(const std::string& text) {
  if (installedSink) installedSink->ShowMessage(text);
}

}  // namespace orniva
