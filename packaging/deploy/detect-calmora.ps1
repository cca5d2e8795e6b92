# detect-calmora.ps1: Intune's custom detection script for Calmora as a Windows app (Win32).
# Calmora counts as installed when this package's version or a later one is: the script then
# writes a line and exits with 0. Otherwise (an older version, or none) it writes nothing and
# exits with 1, and Intune runs the install, which replaces an older version.
# The package's version, as its name spells it (Calmora-1.00.0006-x64.msi):
$packageVersion = [version]'1.00.0006'

# The registry's 64-bit view, where Calmora's entry is, also from a 32-bit PowerShell, which would
# otherwise read the 32-bit view and find nothing.
$machine = [Microsoft.Win32.RegistryKey]::OpenBaseKey([Microsoft.Win32.RegistryHive]::LocalMachine, [Microsoft.Win32.RegistryView]::Registry64)
$uninstall = $machine.OpenSubKey('SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall')
foreach ($name in $uninstall.GetSubKeyNames()) {
    $entry = $uninstall.OpenSubKey($name)
    if ($null -eq $entry) { continue }
    # Compared number by number: as text, '10.00.0000' would come before '9.00.0000'.
    $version = [string]$entry.GetValue('DisplayVersion') -as [version]
    if ($entry.GetValue('DisplayName') -eq 'Calmora' -and $entry.GetValue('Publisher') -eq 'Quillmoor' -and
        $null -ne $version -and $version -ge $packageVersion) {
        Write-Output "Calmora $($entry.GetValue('DisplayVersion')) is installed."
        exit 0
    }
}
exit 1
