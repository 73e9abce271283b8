# Bash completion for the viewer and its tools: their options, the values of
# those that take a fixed set, and files for the operands. Installed
# once under each program's name, where bash-completion looks for it.

_kovomodel() {
    local cur prev words cword
    _init_completion -s || return
    local program=${words[0]##*/}
    local options

    case $program in
    kovomodel)
        _filedir dat
        return
        ;;
    kovomodel-info)
        options="--help --version"
        ;;
    kovomodel-render)
        options="--size --mode --shading --turn --distance --reference-objects --help --version"
        case $prev in
        --mode) COMPREPLY=($(compgen -W "points wire solid" -- "$cur")); return ;;
        --shading) COMPREPLY=($(compgen -W "flat smooth" -- "$cur")); return ;;
        --size | --turn | --distance) return ;;
        esac
        ;;
    kovomodel-thumbnailer)
        options="-s --size --help --version"
        case $prev in
        -s | --size) COMPREPLY=($(compgen -W "128 256 512 1024" -- "$cur")); return ;;
        esac
        ;;
    kovomodel-convert)
        options="--format --list-formats --ascii --help --version"
        case $prev in
        --format)
            COMPREPLY=($(compgen -W "dat stl obj ply off gltf glb 3mf" -- "$cur"))
            return
            ;;
        esac
        ;;
    esac

    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    # Any file may be a model or a picture: the content decides, not the name.
    _filedir
}

complete -F _kovomodel kovomodel kovomodel-info kovomodel-render kovomodel-thumbnailer kovomodel-convert
