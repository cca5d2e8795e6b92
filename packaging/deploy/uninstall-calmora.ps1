# uninstall-calmora.ps1: removes whatever version of Calmora is installed, silently, and exits
# with msiexec's exit code: 0 removed, 3010 removed once the PC restarts, anything else failed
# (see the log). Run it as SYSTEM or as an administrator, with -File, which hands the exit code on:
#   powershell.exe -NoProfile -ExecutionPolicy Bypass -File uninstall-calmora.ps1
$log = "$env:SystemRoot\Temp\Calmora-uninstall.log"

# A 32-bit PowerShell on 64-bit Windows, which the agents of Intune and many RMM tools start, sees
# the registry's 32-bit view, where Calmora is not: the script runs again in the 64-bit one.
if (-not [Environment]::Is64BitProcess -and [Environment]::Is64BitOperatingSystem) {
    & "$env:SystemRoot\Sysnative\WindowsPowerShell\v1.0\powershell.exe" -NoProfile -ExecutionPolicy Bypass -File $PSCommandPath
    exit $LASTEXITCODE
}

# Calmora's entry is named by its product code, which every build changes.
$installed = @(Get-ItemProperty -Path 'HKLM:\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\*' |
    Where-Object { $_.DisplayName -eq 'Calmora' -and $_.Publisher -eq 'Quillmoor' -and
                   $_.PSChildName -match '^\{[0-9A-Fa-f-]{36}\}$' })
if ($installed.Count -eq 0) {
    # What was asked for is done. A deployment tool counts 1605 as a failure and would try again.
    Write-Output 'Calmora is not installed: nothing to remove.'
    exit 0
}

$code = 0
foreach ($calmora in $installed) {
    Write-Output "Removing Calmora $($calmora.DisplayVersion), $($calmora.PSChildName); log: $log"
    $msiexec = Start-Process -FilePath "$env:SystemRoot\System32\msiexec.exe" -ArgumentList "/x $($calmora.PSChildName) /qn /norestart /l*v `"$log`"" -Wait -PassThru
    # 3010 and 1641: removed, and a restart completes it.
    if ($msiexec.ExitCode -ne 0 -and $msiexec.ExitCode -ne 3010 -and $msiexec.ExitCode -ne 1641) {
        exit $msiexec.ExitCode
    }
    if ($msiexec.ExitCode -ne 0) { $code = $msiexec.ExitCode }
}
exit $code
