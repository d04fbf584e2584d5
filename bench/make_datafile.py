#!/usr/bin/env python3
"""Writes a data file of N program launchers (argument 1) in nested groups to the path in
argument 2: 25 launchers and four subgroups per group, three levels deep, as the data file
benchmark's trees are built. With "flat" as argument 3, the launchers stand in the top group
itself."""
import sys

DEFAULT_COLOURS = ['-2147483633', '-2147483635', '-2147483630', '-2147483634']
FONT = ['9', 'ＭＳ Ｐゴシック', '0']
PROGRAMS = ['C:\\windows\\notepad.exe', 'C:\\windows\\regedit.exe', 'C:\\windows\\explorer.exe',
            'C:\\windows\\system32\\winver.exe']


def launcher(n):
    return (['[LAUNCHER]', f'ランチャ{n}', PROGRAMS[n % len(PROGRAMS)], '1', '0', str(n % 13), '0',
             '-x', ''] + DEFAULT_COLOURS + ['0', '[/LAUNCHER]'])


def group(name, left, depth):
    lines = ['[FOLDER]', name, '1', '0', '0'] + DEFAULT_COLOURS + ['0', '[FOLDERCOMPOSITE]']
    for _ in range(25):
        if left[0] == 0:
            break
        lines += launcher(left[0])
        left[0] -= 1
    for g in range(4):
        if left[0] == 0 or depth >= 3:
            break
        lines += group(f'グループ{depth}-{g}', left, depth + 1)
    return lines + ['[/FOLDER]']


def main():
    count, path = int(sys.argv[1]), sys.argv[2]
    lines = ['[ROOT]', 'ランタン', '1', '0', '1'] + DEFAULT_COLOURS + FONT
    for _ in range(4):
        lines += ['0'] + DEFAULT_COLOURS + FONT
    lines += ['[ROOTCOMPOSITE]']
    left = [count]
    top = 0
    if len(sys.argv) > 3 and sys.argv[3] == 'flat':
        for n in range(count, 0, -1):
            lines += launcher(n)
        left[0] = 0
    while left[0] > 0:
        lines += group(f'トップ{top}', left, 1)
        top += 1
    lines += ['[RECYCLEDFOLDER]', 'ゴミ入れ', '0', '0', '0'] + DEFAULT_COLOURS + [
        '0', '[RECYCLEDFOLDERCOMPOSITE]', '[/RECYCLEDFOLDER]', '[/ROOT]']
    with open(path, 'wb') as f:
        f.write(('\r\n'.join(lines) + '\r\n').encode('cp932'))


main()
