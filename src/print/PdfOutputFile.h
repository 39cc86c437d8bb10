#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>

// Why an output file could not be written.
struct OutputFailure
{
    enum class Kind
    {
        None,
        SystemError, // systemError says why
        Incomplete   // the PDF engine stopped before the end of the file
    };
    Kind kind = Kind::None;
    int systemError = 0;

    QString english() const;
    QString japanese() const;
};

// The file a PDF goes to, so that nothing is lost and no failure passes for success. The PDF
// engine writes a hidden partial file; commit() checks that it ends as a PDF does and only then
// hands it over:
// - a regular file, or a path not there yet, is replaced by renaming the partial file over it
//   (written beside it, synced first); a replaced file keeps its mode and owner, a new one gets
//   0666 less the umask;
// - a symbolic link stays one and its target is replaced, by the same rules;
// - "-", /dev/stdout, /dev/stderr and /dev/fd/N mean that descriptor, and a FIFO, a device or a
//   socket is written into: the finished PDF is copied there. A FIFO's open waits for a reader.
// The partial file goes when the object does, unless renamed.
class PdfOutputFile
{
public:
    explicit PdfOutputFile(QString target);
    ~PdfOutputFile();
    PdfOutputFile(const PdfOutputFile &) = delete;
    PdfOutputFile &operator=(const PdfOutputFile &) = delete;

    // Told the partial file's name as the system takes it, for its removal should a signal end
    // the program; told while INT and TERM wait, so that the file is never there unannounced.
    using PartialAnnouncer = std::function<void(const QByteArray &name)>;

    // Opens a special target and creates the partial file. False with failure() set.
    bool open(const PartialAnnouncer &announce = {});
    // Where the PDF engine is to write.
    QString partialPath() const { return m_partialPath; }
    // Checks the finished partial file and puts it in place. False with failure() set; the
    // target is then as it was (or, for a stream, received only part of the file).
    bool commit();
    // Removes the partial file; the target stays as it was.
    void discard();

    const QString &target() const { return m_target; }
    const OutputFailure &failure() const { return m_failure; }

private:
    bool fail(int systemError);
    bool openStream(const QByteArray &path, int kind);
    bool createPartial(const QByteArray &folder, const QByteArray &prefix, unsigned mode,
                       const PartialAnnouncer &announce);
    bool copyToStream();

    QString m_target;
    QString m_partialPath;
    QByteArray m_partialName;
    QByteArray m_replaced; // the file the partial one is renamed over; empty for a stream
    int m_partialFd = -1;
    int m_streamFd = -1;
    bool m_ownsStream = false;
    bool m_keepOwnerAndMode = false;
    unsigned m_uid = 0, m_gid = 0, m_mode = 0;
    OutputFailure m_failure;
};

// Writes all the bytes to the descriptor, through short and interrupted writes. False with
// errno set.
bool writeAll(int fd, QByteArrayView bytes);
