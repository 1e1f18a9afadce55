/* A preload library that makes file writes fail as a full disk, a
 * read-only folder or a folder that disappears would, for the end-to-end
 * tests of every writer. Loaded with LD_PRELOAD; without KORVANA_FAULT set
 * it changes nothing.
 *
 *   KORVANA_FAULT=disk-full   write() to regular files stops after
 *                             KORVANA_FAULT_BYTES bytes (default 0) in all,
 *                             with a short count and then ENOSPC
 *   KORVANA_FAULT=read-only   creating, renaming or removing a file in the
 *                             folder KORVANA_FAULT_DIR fails with EROFS
 *   KORVANA_FAULT=vanish      the folder KORVANA_FAULT_DIR is renamed to
 *                             KORVANA_FAULT_DIR.gone just before the first
 *                             file is created in it
 *   KORVANA_FAULT=fsync       fsync() fails with EIO
 *   KORVANA_FAULT=rename      rename() fails with EIO
 *   KORVANA_FAULT=hints       the calls that only speed writing up fail:
 *                             sync_file_range() with EIO, fallocate()
 *                             with EOPNOTSUPP
 *
 *   KORVANA_FAULT_TALLY=PATH  at exit, the number of sync_file_range() and
 *                             fallocate() calls is written to PATH as
 *                             "sync_file_range N fallocate M", fault or not
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

static const char* Fault(void) {
  const char* f = getenv("KORVANA_FAULT");
  return f != NULL ? f : "";
}

static int Is(const char* name) { return strcmp(Fault(), name) == 0; }

/* True when path names an entry directly in the fault folder. */
static int InFaultDir(const char* path) {
  const char* dir = getenv("KORVANA_FAULT_DIR");
  if (dir == NULL || path == NULL) return 0;
  size_t n = strlen(dir);
  while (n > 1 && dir[n - 1] == '/') --n;
  return strncmp(path, dir, n) == 0 && path[n] == '/' && strchr(path + n + 1, '/') == NULL;
}

/* Called before a file is created at path: fails (errno set) where the
 * fault says so, and lets the folder vanish first for "vanish". */
static int RefuseCreate(const char* path) {
  if (!InFaultDir(path)) return 0;
  if (Is("read-only")) {
    errno = EROFS;
    return 1;
  }
  if (Is("vanish")) {
    static int gone = 0;
    if (!gone) {
      char moved[4096];
      const char* dir = getenv("KORVANA_FAULT_DIR");
      snprintf(moved, sizeof moved, "%s.gone", dir);
      int (*real_rename)(const char*, const char*) = dlsym(RTLD_NEXT, "rename");
      if (real_rename(dir, moved) == 0) gone = 1;
    }
  }
  return 0;
}

static long long g_written = 0;

ssize_t write(int fd, const void* buf, size_t count) {
  static ssize_t (*real)(int, const void*, size_t) = NULL;
  if (real == NULL) real = dlsym(RTLD_NEXT, "write");
  if (fd > 2 && Is("disk-full")) {
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
      const char* limitText = getenv("KORVANA_FAULT_BYTES");
      const long long limit = limitText != NULL ? atoll(limitText) : 0;
      if (g_written >= limit) {
        errno = ENOSPC;
        return -1;
      }
      if ((long long)count > limit - g_written) count = (size_t)(limit - g_written);
      const ssize_t n = real(fd, buf, count);
      if (n > 0) g_written += n;
      return n;
    }
  }
  return real(fd, buf, count);
}

int fsync(int fd) {
  static int (*real)(int) = NULL;
  if (real == NULL) real = dlsym(RTLD_NEXT, "fsync");
  if (Is("fsync")) {
    errno = EIO;
    return -1;
  }
  return real(fd);
}

static int g_syncRangeCalls = 0;
static int g_fallocateCalls = 0;

int sync_file_range(int fd, off_t offset, off_t length, unsigned int flags) {
  static int (*real)(int, off_t, off_t, unsigned int) = NULL;
  if (real == NULL) real = dlsym(RTLD_NEXT, "sync_file_range");
  ++g_syncRangeCalls;
  if (Is("hints")) {
    errno = EIO;
    return -1;
  }
  return real(fd, offset, length, flags);
}

int fallocate(int fd, int mode, off_t offset, off_t length) {
  static int (*real)(int, int, off_t, off_t) = NULL;
  if (real == NULL) real = dlsym(RTLD_NEXT, "fallocate");
  ++g_fallocateCalls;
  if (Is("hints")) {
    errno = EOPNOTSUPP;
    return -1;
  }
  return real(fd, mode, offset, length);
}

__attribute__((destructor)) static void WriteTally(void) {
  const char* path = getenv("KORVANA_FAULT_TALLY");
  if (path == NULL) return;
  FILE* f = fopen(path, "w");
  if (f == NULL) return;
  fprintf(f, "sync_file_range %d fallocate %d\n", g_syncRangeCalls, g_fallocateCalls);
  fclose(f);
}

int rename(const char* from, const char* to) {
  static int (*real)(const char*, const char*) = NULL;
  if (real == NULL) real = dlsym(RTLD_NEXT, "rename");
  if (Is("rename") || (Is("read-only") && (InFaultDir(from) || InFaultDir(to)))) {
    errno = Is("rename") ? EIO : EROFS;
    return -1;
  }
  return real(from, to);
}

int unlink(const char* path) {
  static int (*real)(const char*) = NULL;
  if (real == NULL) real = dlsym(RTLD_NEXT, "unlink");
  if (Is("read-only") && InFaultDir(path)) {
    errno = EROFS;
    return -1;
  }
  return real(path);
}

int mkstemp(char* tmpl) {
  static int (*real)(char*) = NULL;
  if (real == NULL) real = dlsym(RTLD_NEXT, "mkstemp");
  if (RefuseCreate(tmpl)) return -1;
  return real(tmpl);
}

int open(const char* path, int flags, ...) {
  static int (*real)(const char*, int, ...) = NULL;
  if (real == NULL) real = dlsym(RTLD_NEXT, "open");
  mode_t mode = 0;
  if (flags & (O_CREAT | O_TMPFILE)) {
    va_list ap;
    va_start(ap, flags);
    mode = va_arg(ap, mode_t);
    va_end(ap);
    if (RefuseCreate(path)) return -1;
  }
  return real(path, flags, mode);
}
