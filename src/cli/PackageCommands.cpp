#include "PackageCommands.h"

#include "model/FileAccess.h"
#include "model/PackageExtraction.h"

#include <filesystem>

namespace agendrix::cli {

ExitCode PackFiles(const CliArguments& arguments, CliContext& context)
{
    std::vector<PackageFile> files;
    for (const std::string& path : arguments.Files) {
        ReadResult read = ReadWholeFile(path, context.Ops);
        if (read.What != ReadResult::Status::Read) {
            context.Err << "agendrix-cli: "
                        << (read.What == ReadResult::Status::Missing ? "there is no file " + path + "."
                                                                     : read.Error.Message)
                        << '\n';
            return ExitCode::FileOrData;
        }
        files.push_back({ StoredPackagePath(path), std::move(read.Bytes) });
    }
    const std::string bytes = EncodePackage(arguments.Source, arguments.PackageName, files);
    // What the paths are checked for one by one holds for the whole index too (no two alike).
    if (const PackageReading reading = ReadPackageIndex(bytes); !reading.Valid) {
        context.Err << "agendrix-cli: " << arguments.File << " would be refused: " << reading.Problem << '\n';
        return ExitCode::Usage;
    }
    const FileError error = SaveFileAtomically(arguments.File, bytes, context.Ops);
    if (error.Message.empty())
        return ExitCode::Success;
    context.Err << "agendrix-cli: " << error.Message << '\n';
    return ExitCode::FileOrData;
}

ExitCode UnpackPackages(const CliArguments& arguments, CliContext& context)
{
    ExitCode code = ExitCode::Success;
    for (const std::string& package : arguments.Files) {
        PackageExtraction extraction(context.ProgramFolder, std::filesystem::absolute(package).string());
        while (extraction.Continue(64 << 20) == ExtractionState::Working) { }
        if (extraction.State() != ExtractionState::Finished) {
            context.Err << "agendrix-cli: " << extraction.Message() << '\n';
            code = ExitCode::FileOrData;
        }
    }
    return code;
}

} // namespace agendrix::cli
