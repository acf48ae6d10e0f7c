#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>

namespace keldar::e2e {

namespace {

void set_nonblocking(int fd) { fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK); }

}  // namespace

ProcessResult run_process(const ProcessSpec& spec) {
  ProcessResult result;
  int in_pipe[2];
  int out_pipe[2];
  int err_pipe[2];
  if (pipe(in_pipe) != 0 || pipe(out_pipe) != 0 || pipe(err_pipe) != 0) {
    result.abnormal = std::string("pipe failed: ") + std::strerror(errno);
    return result;
  }
  // Everything the child needs is built before fork: between fork and exec
  // the child of a threaded parent may only call async-signal-safe
  // functions, and unsetenv, putenv and malloc are not among them.
  std::vector<char*> argv;
  for (const std::string& a : spec.argv) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  std::vector<std::string> environment;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    std::string text = *entry;
    std::string name = text.substr(0, text.find('='));
    bool dropped = std::find(spec.unset_env.begin(), spec.unset_env.end(), name) != spec.unset_env.end();
    for (const std::string& set : spec.set_env) {
      if (set.substr(0, set.find('=')) == name) dropped = true;
    }
    if (!dropped) environment.push_back(std::move(text));
  }
  environment.insert(environment.end(), spec.set_env.begin(), spec.set_env.end());
  std::vector<char*> envp;
  for (std::string& e : environment) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_t pid = fork();
  if (pid < 0) {
    result.abnormal = std::string("fork failed: ") + std::strerror(errno);
    return result;
  }
  if (pid == 0) {
    setpgid(0, 0);
    dup2(in_pipe[0], 0);
    dup2(out_pipe[1], 1);
    dup2(err_pipe[1], 2);
    close(in_pipe[0]);
    close(in_pipe[1]);
    close(out_pipe[0]);
    close(out_pipe[1]);
    close(err_pipe[0]);
    close(err_pipe[1]);
    if (chdir(spec.working_directory.c_str()) != 0) _exit(126);
    execvpe(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  close(in_pipe[0]);
  close(out_pipe[1]);
  close(err_pipe[1]);
  signal(SIGPIPE, SIG_IGN);
  set_nonblocking(in_pipe[1]);
  set_nonblocking(out_pipe[0]);
  set_nonblocking(err_pipe[0]);

  std::size_t written = 0;
  int in_fd = in_pipe[1];
  if (spec.stdin_bytes.empty()) {
    close(in_fd);
    in_fd = -1;
  }
  int out_fd = out_pipe[0];
  int err_fd = err_pipe[0];
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(spec.timeout_seconds);
  char buffer[65536];
  int wait_status = 0;
  bool exited = false;

  // Reads what is there; returns false at the end of the stream.
  auto drain = [&](int& fd, std::string& into) {
    while (fd >= 0) {
      ssize_t r = read(fd, buffer, sizeof buffer);
      if (r > 0) {
        into.append(buffer, static_cast<std::size_t>(r));
        continue;
      }
      if (r < 0 && (errno == EAGAIN || errno == EINTR)) return;
      close(fd);
      fd = -1;
    }
  };

  // The loop ends when the program has exited, not at the end of its output:
  // processes it started (Wine's services, say) may hold the pipes open.
  while (!exited) {
    pollfd fds[3];
    int n = 0;
    if (out_fd >= 0) fds[n++] = {out_fd, POLLIN, 0};
    if (err_fd >= 0) fds[n++] = {err_fd, POLLIN, 0};
    if (in_fd >= 0) fds[n++] = {in_fd, POLLOUT, 0};
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      kill(-pid, SIGKILL);
      waitpid(pid, &wait_status, 0);
      if (in_fd >= 0) close(in_fd);
      if (out_fd >= 0) close(out_fd);
      if (err_fd >= 0) close(err_fd);
      result.abnormal =
          "killed after " + std::to_string(spec.timeout_seconds) + " s without ending";
      return result;
    }
    int wait_ms = static_cast<int>(std::min<long long>(left.count(), 20));
    if (n > 0) {
      if (poll(fds, static_cast<nfds_t>(n), wait_ms) < 0 && errno != EINTR) break;
    } else {
      usleep(static_cast<useconds_t>(wait_ms) * 1000);
    }
    for (int i = 0; i < n; ++i) {
      if (fds[i].revents == 0) continue;
      if (fds[i].fd == in_fd) {
        ssize_t w = write(in_fd, spec.stdin_bytes.data() + written,
                          spec.stdin_bytes.size() - written);
        if (w > 0) written += static_cast<std::size_t>(w);
        if (w < 0 && errno != EAGAIN) written = spec.stdin_bytes.size();
        if (written == spec.stdin_bytes.size()) {
          close(in_fd);
          in_fd = -1;
        }
      } else if (fds[i].fd == out_fd) {
        drain(out_fd, result.out);
      } else if (fds[i].fd == err_fd) {
        drain(err_fd, result.err);
      }
    }
    exited = waitpid(pid, &wait_status, WNOHANG) == pid;
  }
  // What the program wrote before it ended is in the pipes now.
  drain(out_fd, result.out);
  drain(err_fd, result.err);
  if (in_fd >= 0) close(in_fd);
  if (out_fd >= 0) close(out_fd);
  if (err_fd >= 0) close(err_fd);
  if (!exited) waitpid(pid, &wait_status, 0);

  if (WIFEXITED(wait_status)) {
    result.status = WEXITSTATUS(wait_status);
  } else if (WIFSIGNALED(wait_status)) {
    result.abnormal = std::string("ended by signal ") + strsignal(WTERMSIG(wait_status));
  }
  return result;
}

}  // namespace keldar::e2e
