// A Platform for tests: records every call as a line of text and answers
// message boxes from a queue (Ok when the queue is empty).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "core/Platform.h"

namespace fonderel::test {

class RecordingPlatform : public Platform {
 public:
  std::vector<std::string> calls;
  std::deque<MessageAnswer> answers;

  MessageAnswer ShowMessage(MessageIcon, MessageButtons, const std::string& title,
                            const std::string& text) override {
    calls.push_back("ShowMessage " + title + "|" + text);
    if (answers.empty()) return MessageAnswer::Ok;
    const MessageAnswer a = answers.front();
    answers.pop_front();
    return a;
  }
  void SetBusy(bool busy) override { calls.push_back(busy ? "SetBusy on" : "SetBusy off"); }
  void ProcessEvents() override { calls.push_back("ProcessEvents"); }
  void ShowTextLog() override { calls.push_back("ShowTextLog"); }
  void HideViews() override { calls.push_back("HideViews"); }
  void SetViewGeometryEnabled(bool enabled) override {
    calls.push_back(enabled ? "ViewGeometry on" : "ViewGeometry off");
  }
  void ClearPicture() override { calls.push_back("ClearPicture"); }
  void SetCaption(const std::string& caption) override { calls.push_back("Caption " + caption); }
};

}  // namespace fonderel::test
