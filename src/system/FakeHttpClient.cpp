#include "system/FakeHttpClient.h"

#include <fstream>
#include <iterator>

namespace orvane {

void FakeHttpClient::Serve(std::wstring pathAndQuery, std::string body) {
  std::lock_guard lock(mutex_);
  answers_[std::move(pathAndQuery)] = Answer{std::move(body), {}, false};
}

void FakeHttpClient::ServeFile(std::wstring pathAndQuery, std::filesystem::path file) {
  std::lock_guard lock(mutex_);
  answers_[std::move(pathAndQuery)] = Answer{{}, std::move(file), true};
}

void FakeHttpClient::ServeByDefault(std::string body) {
  std::lock_guard lock(mutex_);
  hasDefault_ = true;
  defaultBody_ = std::move(body);
}

void FakeHttpClient::HoldRequests() {
  std::lock_guard lock(mutex_);
  held_ = true;
}

void FakeHttpClient::ReleaseRequests() {
  {
    std::lock_guard lock(mutex_);
    held_ = false;
  }
  changed_.notify_all();
}

void FakeHttpClient::WaitForRequests(size_t count) {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [&] { return requests_.size() >= count; });
}

std::vector<RecordedHttpRequest> FakeHttpClient::Requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

std::string FakeHttpClient::Get(std::wstring_view host, std::wstring_view pathAndQuery,
                                const HttpTimeouts& timeouts) {
  Answer answer;
  bool found = false;
  {
    std::unique_lock lock(mutex_);
    requests_.push_back({std::wstring(host), std::wstring(pathAndQuery), timeouts});
    changed_.notify_all();
    changed_.wait(lock, [&] { return !held_; });
    if (auto it = answers_.find(pathAndQuery); it != answers_.end()) {
      answer = it->second;
      found = true;
    } else if (hasDefault_) {
      answer.body = defaultBody_;
      found = true;
    }
  }
  if (!found) return {};
  if (!answer.fromFile) return answer.body;
  std::ifstream in(answer.file, std::ios::binary);
  if (!in) return {};
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace orvane
