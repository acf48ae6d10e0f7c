# The version of Keldar and its release date: the one place that sets them.
# The trace-mode banner, keldar-profile --version, the version resource of
# the Windows programs and the names of the release archives take them from
# here.
set(KELDAR_VERSION 4.3)
set(KELDAR_RELEASE_DATE 2022-08-29)
